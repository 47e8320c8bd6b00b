#!/usr/bin/env python3
"""The layers of the source tree: each library includes and links only those
below it, and only the renderers (and the platform layer, which makes the
context) include OpenGL or call it.

Usage: layers_test.py <source root>
"""
import pathlib
import re
import sys

# Lowest first. A folder may use any folder before it, never one after it.
LAYERS = [
    "runtime/platform",
    "runtime/core",
    "runtime/files",
    "runtime/render2d",
    "runtime/render3d",
    "runtime/input",
    "runtime/sound",
    "runtime/net",
    "runtime/pathfind",
    "runtime/system",
    "toolkit",
    "toolkit/backend",
    "app",
]

# The CMake targets each folder makes.
TARGETS = {
    "krv_platform": "runtime/platform",
    "krv_platform_fake": "runtime/platform",
    "krv_core": "runtime/core",
    "krv_files": "runtime/files",
    "krv_render2d": "runtime/render2d",
    "krv_render3d": "runtime/render3d",
    "krv_input": "runtime/input",
    "krv_sound": "runtime/sound",
    "krv_net": "runtime/net",
    "krv_pathfind": "runtime/pathfind",
    "krv_system": "runtime/system",
    "krv_main": "runtime/system",
    "lmt_toolkit": "toolkit",
    "lmt_backend": "toolkit/backend",
    "lumiset_wrappers": "app",
    "lumiset_test": "app",
}

GL_ALLOWED = {"runtime/render2d", "runtime/render3d", "runtime/platform"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"((?:runtime|toolkit|app)/[^"]+)"', re.M)
GL_HEADER = re.compile(r'^\s*#\s*include\s+<(GL/|GLES|SDL_opengl)', re.M)
GL_CALL = re.compile(r"(?<![\w.>])(gl[A-Z]\w*)\s*\(")
DEFINITION = re.compile(r"\b(gl[A-Z]\w*)\s*\([^;{)]*\)\s*(?:const\s*)?\{")
LINK = re.compile(r"target_link_libraries\(\s*(\w+)([^)]*)\)", re.S)


def rank(folder):
    return LAYERS.index(folder)


def layer_of(path):
    """The deepest declared folder holding the path, or None."""
    best = None
    for folder in LAYERS:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def without_comments(text):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def include_faults(path, text):
    here = layer_of(path)
    faults = []
    for target in INCLUDE.findall(text):
        there = layer_of(target)
        if there is None:
            faults.append(f"{path}: includes {target}, which lies in no declared layer")
        elif rank(there) > rank(here):
            faults.append(f"{path}: includes {target} of {there}, a layer above {here}")
    return faults


def gl_faults(path, text, own_names):
    if layer_of(path) in GL_ALLOWED:
        return []
    faults = [f"{path}: includes an OpenGL header" for _ in GL_HEADER.findall(text)]
    code = without_comments(text)
    for name in sorted(set(GL_CALL.findall(code)) - own_names):
        faults.append(f"{path}: calls {name}")
    return faults


def link_faults(path, text):
    faults = []
    for target, rest in LINK.findall(text):
        here = TARGETS.get(target)
        if here is None:
            continue
        for word in rest.split():
            there = TARGETS.get(word)
            if there is not None and rank(there) > rank(here):
                faults.append(f"{path}: {target} ({here}) links {word} of {there}, a layer above")
    return faults


def check_the_checks():
    """The rules catch what they are for, so that a clean tree means something."""
    assert include_faults("runtime/render2d/a.cpp", '#include "runtime/render3d/b.h"\n')
    assert not include_faults("runtime/render3d/a.cpp", '#include "runtime/render2d/b.h"\n')
    assert include_faults("toolkit/a.cpp", '#include "toolkit/backend/b.h"\n')
    assert include_faults("runtime/core/a.cpp", '#include "runtime/nowhere/b.h"\n')
    assert gl_faults("runtime/sound/a.cpp", "#include <GL/gl.h>\n", set())
    assert gl_faults("runtime/system/a.cpp", "void f() { glClear(1); }\n", set())
    assert not gl_faults("runtime/system/a.cpp", "void f() { probe(glOwn); glOwn(x); }\n", {"glOwn"})
    assert not gl_faults("runtime/render3d/a.cpp", "void f() { glClear(1); }\n", set())
    assert link_faults("x/CMakeLists.txt", "target_link_libraries(krv_sound PUBLIC krv_core krv_system)")
    assert not link_faults("x/CMakeLists.txt", "target_link_libraries(krv_system PUBLIC krv_sound)")


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    check_the_checks()
    sources = []
    for top in ("runtime", "toolkit", "app"):
        sources += [p for p in (root / top).rglob("*") if p.suffix in (".cpp", ".h")]
    texts = {p.relative_to(root).as_posix(): p.read_text(errors="replace") for p in sources}
    own_names = set()
    for text in texts.values():
        own_names.update(DEFINITION.findall(without_comments(text)))

    faults = []
    for path, text in sorted(texts.items()):
        if layer_of(path) is None:
            faults.append(f"{path}: lies in no declared layer")
            continue
        faults += include_faults(path, text)
        faults += gl_faults(path, text, own_names)
    for top in ("runtime", "toolkit", "app"):
        for cmake in sorted((root / top).rglob("CMakeLists.txt")):
            faults += link_faults(cmake.relative_to(root).as_posix(), cmake.read_text())

    for fault in faults:
        print(fault)
    print(f"{len(texts)} sources checked against {len(LAYERS)} layers; {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
