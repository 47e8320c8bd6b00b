#!/usr/bin/env bash
# The runtime installed from this build tree (nothing is rebuilt), then a copy
# of hello2d that finds it with find_package(Korvane), configured and built
# against the installed package alone.
#   installed_package_test.sh <build> <checkout> <C++ compiler> [launcher] [linker flags]
set -euo pipefail
build=$1
checkout=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$folder/prefix" >"$folder/install.txt" 2>&1 ||
    { cat "$folder/install.txt"; fail "install"; }
[ -x "$folder/prefix/bin/korvane-pack" ] || fail "korvane-pack is not installed"
[ -f "$folder/prefix/include/korvane/runtime/system/project_hooks.h" ] || fail "the headers are not installed"

mkdir "$folder/game"
cp -r "$checkout/examples/hello2d" "$folder/game/hello2d"
cat > "$folder/game/CMakeLists.txt" <<END
cmake_minimum_required(VERSION 3.20)
project(MyGame CXX)
find_package(Korvane REQUIRED)
if(NOT TARGET Korvane::pack)
  message(FATAL_ERROR "the package has no Korvane::pack")
endif()
add_subdirectory(hello2d)
END
launcher=()
[ -n "${4:-}" ] && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$4")
cmake -S "$folder/game" -B "$folder/game/build" -G Ninja -DCMAKE_PREFIX_PATH="$folder/prefix" \
    -DCMAKE_CXX_COMPILER="$3" -DCMAKE_EXE_LINKER_FLAGS="${5:-}" "${launcher[@]}" \
    >"$folder/configure.txt" 2>&1 || { cat "$folder/configure.txt"; fail "configure"; }
grep -rq "$checkout" "$folder/game/build/build.ninja" && fail "the program's build names the checkout"
ninja -C "$folder/game/build" >"$folder/build.txt" 2>&1 || { cat "$folder/build.txt"; fail "build"; }
[ -x "$folder/game/build/hello2d/hello2d" ] || fail "no hello2d"
[ -f "$folder/game/build/hello2d/ball.png" ] || fail "the media are not beside the program"
echo "ok: hello2d builds against the installed package"
