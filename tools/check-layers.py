#!/usr/bin/env python3
"""Fails when a source file includes one from a higher layer.

The layers, bottom to top (README, "Layout"): base, platform, store, window, capture,
recognition, shell, check. A file may include its own layer and the ones below. check/ (the
gesture-file checker) runs the program in the fake world, so it alone above platform/ includes
platform/fake. The two platform
worlds never include each other; only platform/win32 and zorv/ may include system headers
of Windows, and zorv/ (a DLL of its own) includes nothing of the program but base/. The one
header the program and the DLL share is zorv/zorv.h, which platform/win32 may include.
"""

import pathlib
import re
import sys

LAYERS = ["base", "platform", "store", "window", "capture", "recognition", "shell", "check"]
RANK = {name: i for i, name in enumerate(LAYERS)}
WINDOWS_HEADERS = re.compile(r"#\s*include\s*<(windows|shellapi|commctrl|commdlg|winresrc)\.h>",
                             re.IGNORECASE)
QUOTED = re.compile(r'#\s*include\s*"([^"]+)"')
SOURCES = ("*.h", "*.cpp")


def problems_of(root, path):
    rel = path.relative_to(root)
    top = rel.parts[0]
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        where = f"{rel}:{number}"
        if WINDOWS_HEADERS.search(line) and not (rel.parts[:2] == ("platform", "win32")
                                                 or top == "zorv"):
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


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = []
    checked = 0
    for layer in LAYERS + ["zorv"]:
        for pattern in SOURCES:
            for path in sorted((root / layer).rglob(pattern)):
                checked += 1
                found.extend(problems_of(root, path))
    for problem in found:
        print(problem)
    if not checked:
        print("check-layers: no source files found under", root)
        return 1
    print(f"check-layers: {checked} files, {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
