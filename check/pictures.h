// Every gesture of a file drawn by the program's own drawing rules into the fake bitmap, which
// matches GDI pixel for pixel, and saved as gesture-<row>.png.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "check/attempts.h"
#include "check/inputs.h"

namespace vetrix::check {

// The files written, in row order. Throws std::runtime_error when one cannot be written.
std::vector<std::filesystem::path> DrawGestures(const std::string& iniBytes,
                                                const std::filesystem::path& folder);

// Each attempt's path, in green, over the gesture its report draws (the one that fired, else the
// nearest miss), the path's first point on the gesture's start point: attempt-<n>.png, n from
// 1; none for an attempt without samples. The files written, in order.
std::vector<std::filesystem::path> DrawAttempts(const std::string& iniBytes,
                                                const std::vector<Attempt>& attempts,
                                                const std::vector<AttemptReport>& reports,
                                                const std::filesystem::path& folder);

}  // namespace vetrix::check
