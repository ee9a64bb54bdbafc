// Conversions between the program's texts (code page 1251), its paths (UTF-8) and the UTF-16
// of the W functions.
#include "platform/win32/win32.h"

namespace vetrix::win32 {
namespace {

constexpr UINT kCodePage = 1251;

std::wstring Decode(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Encode(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Widen(std::string_view cp1251) { return Decode(kCodePage, cp1251); }
std::string Narrow(std::wstring_view utf16) { return Encode(kCodePage, utf16); }
std::wstring WidenPath(const SystemPath& path) { return Decode(CP_UTF8, path.utf8); }
SystemPath PathOf(std::wstring_view utf16) { return {Encode(CP_UTF8, utf16)}; }

}  // namespace vetrix::win32
