#!/usr/bin/env bash
# Shows the main window, filled from a prepared gesture.ini, under the Western code page 1252
# (LANG=C.UTF-8) and saves a screenshot, so that a person can see whether every Russian
# caption reads right where the A functions would show mojibake.
#
# Usage: tests/wine/e2e/screenshot_shell.sh OUT.png [BUILD_DIR]     BUILD_DIR defaults to build/mingw
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
if [[ $# -lt 1 || $# -gt 2 ]]; then
  echo "usage: $0 OUT.png [BUILD_DIR]" >&2
  exit 2
fi
out=$(realpath -m "$1")
build=$(realpath "${2:-$root/build/mingw}")

PYTHONPATH="$here:$root/tests/wine" exec python3 - "$out" "$build" <<'PY'
import os
import sys

from harness import profile, screen
from harness.session import Config, Session
import shell_steps as steps

out, build = sys.argv[1:]
session = Session(Config.of_build(build), "C.UTF-8")
try:
    print(f"ANSI code page {session.acp()}")
    profile.write_ini(session.folder, steps.PREPARED)
    steps.start_hidden(session)
    combo = steps.combo_box(session.show_from_tray())
    # The saved command lines show only in the dropped-down list.
    steps.drop_down(session, combo)
    screen.screenshot(session, out)
    print(f"saved {out}")
finally:
    session.close()
PY
