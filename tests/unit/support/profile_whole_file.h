// The profile format's whole-file functions: each parses the whole file at every call, and a
// write writes it out whole. The reference that tests, the fuzz target and the Wine oracle
// hold the program's document (profile_format/document.h) and Wine's routines against.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile_format/document.h"

namespace vetrix {

struct ProfileWholeFile {
  static std::string Write(std::string_view content, std::string_view section, std::string_view key,
                           std::optional<std::string_view> value) {
    ProfileText text(content);
    ProfileText::Change change;
    return text.Apply(section, key, value, change) ? text.Serialized() : std::string(content);
  }
};

// The value of `key` in the first section named `section` (names trimmed, compared without
// case); nullopt when the section, the key or its "=" is missing. A duplicated key: the first
// wins; a later section of the same name is never searched. A value in matching quotes (" or ')
// loses them; the result is cut to kProfileReadBuffer - 1 bytes.
inline std::optional<std::string> ProfileRead(std::string_view content, std::string_view section,
                                              std::string_view key) {
  return ProfileText(content).Read(section, key);
}

// The file after the write ProfileText::Write describes; `content` as it was when nothing
// changes.
inline std::string ProfileWrite(std::string_view content, std::string_view section,
                                std::string_view key, std::optional<std::string_view> value) {
  return ProfileWholeFile::Write(content, section, key, value);
}

// The names of the keys with a value in the first section named `section` (not trimmed), in
// file order, duplicates included; how "key exists" is answered. A key "=v" with an empty name
// is listed as ""; Windows callers see its NUL as the end of the list.
inline std::vector<std::string> ProfileKeys(std::string_view content, std::string_view section) {
  return ProfileText(content).Keys(section);
}

}  // namespace vetrix
