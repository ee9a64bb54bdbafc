// Writing a picture as a PNG file. Built with libpng where the system has it; the build for
// Windows has no PNG library to link, and says so.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vetrix::check {

bool PngAvailable();
// rgb: 3 bytes per pixel, rows top to bottom. Throws std::runtime_error when the file cannot be
// written.
void WritePng(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
              const std::vector<std::uint8_t>& rgb);

}  // namespace vetrix::check
