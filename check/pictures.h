// Every gesture of a file drawn by the program's own drawing rules into the fake bitmap, which
// matches GDI pixel for pixel, and saved as gesture-<row>.png.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vetrix::check {

// The files written, in row order. Throws std::runtime_error when one cannot be written.
std::vector<std::filesystem::path> DrawGestures(const std::string& iniBytes,
                                                const std::filesystem::path& folder);

}  // namespace vetrix::check
