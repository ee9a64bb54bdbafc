#pragma once

namespace vetrix {

// The whole life of the program; returns the exit code.
int ProgramMain();

}  // namespace vetrix
