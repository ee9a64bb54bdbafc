// The program's entry point: everything else is portable.
#include "platform/win32/win32.h"
#include "shell/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return vetrix::ProgramMain(); }
