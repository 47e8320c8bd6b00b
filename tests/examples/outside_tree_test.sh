#!/usr/bin/env bash
# A copy of hello2d outside the tree, beside a CMakeLists.txt of its own that
# adds the checkout: the checkout then brings no tests, benchmarks, toolkit or
# programs but the archive packer, builds its own sources optimised although
# the project sets no build type, and the example compiles against
# Korvane::runtime with its link fully planned. The link itself would rebuild the whole runtime; the in-tree
# examples link through the same target.
#   outside_tree_test.sh <checkout> <C compiler> <C++ compiler> [compiler launcher]
set -euo pipefail
checkout=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cp -r "$checkout/examples/hello2d" "$folder/hello2d"
cat > "$folder/CMakeLists.txt" <<END
cmake_minimum_required(VERSION 3.20)
project(MyGame CXX)
add_subdirectory("$checkout" korvane)
add_subdirectory(hello2d)
END
launcher=()
[ -n "${4:-}" ] && launcher=(-DCMAKE_C_COMPILER_LAUNCHER="$4" -DCMAKE_CXX_COMPILER_LAUNCHER="$4")
cmake -S "$folder" -B "$folder/build" -G Ninja -DCMAKE_C_COMPILER="$2" -DCMAKE_CXX_COMPILER="$3" "${launcher[@]}" \
    >"$folder/configure.txt" 2>&1 || { cat "$folder/configure.txt"; fail "configure"; }

targets=$(ninja -C "$folder/build" -t targets all)
for target in lumiset_test lmt_toolkit make_media krv_platform_fake core_test render3d_mesh_test; do
    ! grep -q "^$target:" <<<"$targets" || fail "the checkout builds $target for a program of its own"
done
grep -q "^krv_pack:" <<<"$targets" || fail "the checkout does not build the archive packer with the runtime"
ctest --test-dir "$folder/build" -N | grep -q "Total Tests: 0" || fail "the checkout registers tests"

commands=$(ninja -C "$folder/build" -t commands hello2d)
[[ $(grep -m1 "rt_string.cpp" <<<"$commands") == *" -O2 "* ]] || fail "the runtime is not built optimised"
[[ $(grep -m1 "hello2d/main.cpp" <<<"$commands") != *" -O2 "* ]] || fail "the project's own flags were changed"

ninja -C "$folder/build" hello2d/CMakeFiles/hello2d.dir/main.cpp.o >/dev/null || fail "main.cpp does not compile"
link=$(ninja -C "$folder/build" -t commands hello2d | tail -1)
for library in libkrv_main.a libkrv_system.a libkrv_render3d.a libkrv_sound.a libkrv_pathfind.a; do
    [[ $link == *"$library"* ]] || fail "the link of hello2d lacks $library: $link"
done
echo "ok: a copy of hello2d configures and compiles outside the tree"
