#!/usr/bin/env python3
"""Fails when a source file includes one from a higher layer, or a layer's library links one.

The layers, bottom to top (docs/development.md, "Layers"): base, profile_format, platform,
store, window, capture, recognition, shell, check. A file may include its own layer and the ones below. check/
(the gesture-file checker) runs the program in the fake world, so it alone above platform/
includes platform/fake. The two platform worlds never include each other; only platform/win32
and zorv/ may include system headers of Windows, and zorv/ (a DLL of its own) includes nothing
of the program but base/. The one header the program and the DLL share is zorv/zorv.h, which
platform/win32 may include.

The build follows the same picture: each layer folder's CMakeLists.txt defines its library, which
links only to the libraries of the layers below (the two worlds to platform/'s own library, never
to each other); the whole program over one world (the root's vetrix_on_fake, vetrix_on_win32)
counts as the top of the program, below check/.
"""

import pathlib
import re
import sys

LAYERS = ["base", "profile_format", "platform", "store", "window", "capture", "recognition", "shell", "check"]
RANK = {name: i for i, name in enumerate(LAYERS)}
WINDOWS_HEADERS = re.compile(
    r"#\s*include\s*<(windows|shellapi|commctrl|commdlg|winresrc|wincodec)\.h>", re.IGNORECASE)
# The checker's PNG writer for Windows: the system's imaging component, and nothing else of
# Windows, for a console program that runs the program only in the fake world.
WIC_WRITER = ("check/png_file_wic.cpp",)
QUOTED = re.compile(r'#\s*include\s*"([^"]+)"')
SOURCES = ("*.h", "*.cpp")
ADD_LIBRARY = re.compile(r"add_library\(\s*(\w+)")
LINK = re.compile(r"target_link_libraries\(\s*(\w+)([^)]*)\)")
WHOLE_PROGRAM = ("vetrix_on_fake", "vetrix_on_win32")


def problems_of(root, path):
    rel = path.relative_to(root)
    top = rel.parts[0]
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        where = f"{rel}:{number}"
        if WINDOWS_HEADERS.search(line) and not (rel.parts[:2] == ("platform", "win32")
                                                 or top == "zorv" or str(rel) in WIC_WRITER):
            yield f"{where}: Windows header outside platform/win32: {line.strip()}"
        match = QUOTED.search(line)
        if not match:
            continue
        target = pathlib.PurePosixPath(match.group(1))
        if len(target.parts) < 2:
            continue  # a file beside this one
        layer = target.parts[0]
        if top == "zorv":
            if layer not in ("zorv", "base"):
                yield f"{where}: the hook library includes {target}"
            continue
        if layer == "zorv":
            if rel.parts[:2] != ("platform", "win32") or str(target) != "zorv/zorv.h":
                yield f"{where}: only platform/win32 includes the hook library's zorv/zorv.h"
            continue
        if layer not in RANK:
            yield f"{where}: {target} is in no layer"
            continue
        if RANK[layer] > RANK[top]:
            yield f"{where}: {top}/ includes {target} from the higher layer {layer}/"
        if top == "platform" and layer == "platform" and len(rel.parts) > 2 and len(target.parts) > 2:
            if rel.parts[1] != target.parts[1]:
                yield f"{where}: platform/{rel.parts[1]} includes platform/{target.parts[1]}"
        if top != "platform" and len(target.parts) > 2 and target.parts[1] == "win32":
            yield f"{where}: {target} belongs to the Win32 platform alone"
        if top not in ("platform", "check") and len(target.parts) > 2 and target.parts[1] == "fake":
            yield f"{where}: {target} belongs to the fake world, which only check/ runs"


def build_folders(root):
    """Each folder with a CMakeLists.txt of the layers, as (folder, its layer, the file's text)."""
    for layer in LAYERS + ["zorv"]:
        for path in sorted((root / layer).rglob("CMakeLists.txt")):
            folder = path.parent.relative_to(root)
            yield folder, layer, path.read_text(encoding="utf-8")


def build_problems(root):
    owner = {name: "shell" for name in WHOLE_PROGRAM}  # library -> layer
    defined = {}  # folder -> its libraries
    folders = list(build_folders(root))
    for folder, layer, text in folders:
        defined[folder] = ADD_LIBRARY.findall(text)
        for name in defined[folder]:
            owner[name] = layer
    for layer in LAYERS + ["zorv"]:
        if not defined.get(pathlib.Path(layer)):
            yield f"{layer}/CMakeLists.txt: the layer defines no library of its own"
    for folder, layer, text in folders:
        for name, args in LINK.findall(text):
            if name not in defined[folder]:
                continue
            for used in args.split():
                if used not in owner or used == name:
                    continue
                where = f"{folder}/CMakeLists.txt: {name} links {used}"
                if layer == "zorv" or owner[used] == "zorv":
                    if not (owner[used] == "zorv" or str(folder) == "platform/win32"):
                        yield f"{where}: only platform/win32 links the hook library"
                    elif layer == "zorv" and owner[used] not in ("zorv", "base"):
                        yield f"{where}: the hook library links nothing of the program but base/"
                    continue
                below = RANK[owner[used]] < RANK[layer]
                world_on_seam = layer == "platform" and used == "vetrix_platform" \
                    and folder.parts[1:] in (("fake",), ("win32",))
                if not (below or world_on_seam):
                    yield f"{where}, which is not below {layer}/"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = []
    checked = 0
    for layer in LAYERS + ["zorv"]:
        for pattern in SOURCES:
            for path in sorted((root / layer).rglob(pattern)):
                checked += 1
                found.extend(problems_of(root, path))
    found.extend(build_problems(root))
    for problem in found:
        print(problem)
    if not checked:
        print("check-layers: no source files found under", root)
        return 1
    print(f"check-layers: {checked} files, {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
