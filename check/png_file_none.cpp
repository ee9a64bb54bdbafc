#include <stdexcept>

#include "check/png_file.h"

namespace vetrix::check {

bool PngAvailable() { return false; }

void WritePng(const std::filesystem::path&, std::int32_t, std::int32_t,
              const std::vector<std::uint8_t>&) {
  throw std::runtime_error("this build writes no PNG files");
}

}  // namespace vetrix::check
