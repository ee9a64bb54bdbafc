#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "check/png_file.h"

namespace vetrix::check {

bool PngAvailable() { return true; }

void WritePng(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
              const std::vector<std::uint8_t>& rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.string().c_str(), 0, rgb.data(), 0, nullptr)) {
    const std::string reason = image.message;
    png_image_free(&image);
    throw std::runtime_error("cannot write " + path.string() + ": " + reason);
  }
}

}  // namespace vetrix::check
