#include "base/path.h"

#include <cstdint>

namespace vetrix {
namespace {

// Code points of bytes 0x80..0xBF; 0x98 has none. 0xC0..0xFF are U+0410..U+044F.
constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

std::optional<char> ByteOf(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
  for (int i = 0; i < 64; ++i)
    if (kUpperHalf[i] != 0 && kUpperHalf[i] == cp) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

char32_t CodePointOf(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  const char16_t cp = kUpperHalf[byte - 0x80];
  return cp != 0 ? cp : 0xFFFD;
}

// Decodes UTF-8, handing each code point (or 0xFFFFFFFF for a broken sequence) to `take`.
template <class F>
void Decode(std::string_view utf8, F&& take) {
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80             ? 0
                      : (lead & 0xE0) == 0xC0 ? 1
                      : (lead & 0xF0) == 0xE0 ? 2
                      : (lead & 0xF8) == 0xF0 ? 3
                                              : -1;
    // A lead byte that starts nothing, or a sequence the text cuts short, is broken.
    bool broken = extra < 0 || utf8.size() - i <= static_cast<std::size_t>(extra);
    char32_t cp = broken ? 0 : extra == 0 ? lead : lead & (0x3Fu >> extra);
    for (int k = 1; !broken && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      broken = (next & 0xC0) != 0x80;
      cp = (cp << 6) | (next & 0x3Fu);
    }
    take(broken ? char32_t{0xFFFFFFFF} : cp);
    i += broken ? 1 : static_cast<std::size_t>(extra) + 1;
  }
}

}  // namespace

std::optional<std::string> Cp1251FromUtf8(std::string_view utf8) {
  std::string out;
  bool ok = true;
  Decode(utf8, [&](char32_t cp) {
    const auto byte = ByteOf(cp);
    ok = ok && byte.has_value();
    if (byte) out += *byte;
  });
  if (!ok) return std::nullopt;
  return out;
}

std::string Cp1251FromUtf8Lossy(std::string_view utf8) {
  std::string out;
  Decode(utf8, [&](char32_t cp) { out += ByteOf(cp).value_or('?'); });
  return out;
}

std::string Utf8FromCp1251(std::string_view cp1251) {
  std::string out;
  for (char c : cp1251) {
    const char32_t cp = CodePointOf(static_cast<unsigned char>(c));
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

namespace {

// Each capital of code page 1251 with its small letter.
constexpr unsigned char kCapitalsAndSmalls[][2] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

unsigned char Small(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) return static_cast<unsigned char>(c + 32);
  for (const auto& pair : kCapitalsAndSmalls)
    if (c == pair[0]) return pair[1];
  return c;
}

}  // namespace

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Small(static_cast<unsigned char>(a[i])) != Small(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace vetrix
