// The program's whole life, from the single-instance check to the end of its message loop;
// returns the exit code. The application defines it (shell/program.cpp); each platform's entry
// point calls it, so that the entry point needs nothing from above the seam.
#pragma once

namespace vetrix {

int ProgramMain();

}  // namespace vetrix
