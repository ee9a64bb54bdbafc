// Paths. The program's own texts, gesture.ini included, are code page 1251; a path that the
// system gives (the program's folder, a file chosen in the open dialog) may hold any character,
// so it stays a SystemPath, in UTF-8, until it is written into the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vetrix {

struct SystemPath {
  std::string utf8;
  friend bool operator==(const SystemPath&, const SystemPath&) = default;
};

// The folder part of a Windows path, up to and including its last backslash; empty when it
// has none. The same for code page 1251 and for UTF-8, where a backslash is always itself.
inline std::string FolderOf(std::string_view path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// UTF-8 as code page 1251; nothing when a character has no place in that code page (or the
// text is no UTF-8).
std::optional<std::string> Cp1251FromUtf8(std::string_view utf8);
// The same, with "?" for what has no place: for naming such a text in a message.
std::string Cp1251FromUtf8Lossy(std::string_view utf8);
std::string Utf8FromCp1251(std::string_view cp1251);

// Program file names (code page 1251) compare as the file system compares them, Cyrillic
// letters folded too.
bool SameFileName(std::string_view a, std::string_view b);
// The last part of a path: "C:\Tools\a.exe" names the program "a.exe".
inline std::string_view FileNameOf(std::string_view path) {
  return path.substr(path.find_last_of("\\/") + 1);
}

}  // namespace vetrix
