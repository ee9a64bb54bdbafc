// The program's entry point: everything else is portable.
#include "platform/program.h"
#include "platform/win32/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return vetrix::ProgramMain(); }
