// Writing a picture as a PNG file: through WIC on Windows (png_file_wic.cpp), with libpng
// elsewhere (png_file_libpng.cpp). Both write the pixels unchanged.
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
