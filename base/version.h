// The program's version, stated once: the window title, the resource script and the build
// read it from here. Only #define lines, so that the resource compiler can include it too.
#pragma once

#define VETRIX_VERSION_TEXT "1.395pre"
// The same version as four numbers, for the resource script and the manifest.
#define VETRIX_VERSION_NUMBERS 1, 395, 0, 0
