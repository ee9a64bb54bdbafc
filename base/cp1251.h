// The program's texts are single-byte code page 1251, as in gesture.ini. Source files are
// UTF-8, so the Russian literals are converted at compile time; no compiler charset flag is
// involved (clang, used for fuzzing, knows only UTF-8).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vetrix {

template <std::size_t N>
struct Cp1251Text {
  char data[N]{};
  std::size_t size = 0;

  consteval Cp1251Text(const char (&utf8)[N]) {
    std::size_t i = 0;
    while (i + 1 < N) {
      const auto c = static_cast<unsigned char>(utf8[i]);
      if (c < 0x80) {
        data[size++] = static_cast<char>(c);
        ++i;
        continue;
      }
      if ((c & 0xE0) != 0xC0 || i + 2 >= N) throw "only ASCII and Cyrillic are supported";
      const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      if (cp >= 0x410 && cp <= 0x44F) {
        data[size++] = static_cast<char>(cp - 0x410 + 0xC0);
      } else if (cp == 0x401) {
        data[size++] = static_cast<char>(0xA8);
      } else if (cp == 0x451) {
        data[size++] = static_cast<char>(0xB8);
      } else {
        throw "only ASCII and Cyrillic are supported";
      }
      i += 2;
    }
  }

  constexpr std::string_view view() const { return {data, size}; }
  constexpr operator std::string_view() const { return view(); }
  std::string str() const { return std::string(view()); }
};

}  // namespace vetrix
