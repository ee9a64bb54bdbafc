// One access to gesture.ini: a handler creates it, reads or writes a few keys and lets it go.
// Nothing keeps the file open. A snapshot holds the file's text for one run of reads; writes
// always go to the file itself.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile_format/document.h"

namespace vetrix {

// Both spellings name the same file; a failed write reports the one that was used.
inline constexpr const char* kSettingsName = ".\\gesture.ini";
inline constexpr const char* kSettingsNameCapital = ".\\Gesture.ini";

inline constexpr std::string_view kMain = "Main";
inline constexpr std::string_view kMessages = "Messages";
inline constexpr std::string_view kExclude = "Exclude";

class SettingsFile {
 public:
  explicit SettingsFile(std::string name = kSettingsNameCapital) : name_(std::move(name)) {}

  // For a run of reads, such as one step of loading: where the platform allows it (the fake
  // world, vetrix-check), the file is read once and every read is answered from that parse;
  // on Windows every key still goes to the system's routine.
  static SettingsFile Snapshot(std::string name);

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback = {}) const;
  // Not a number by the file's number syntax: the fallback, without a word.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  bool KeyExists(std::string_view section, std::string_view key) const;
  std::vector<std::string> KeyNames(std::string_view section) const;
  std::vector<std::string> SectionNames() const;

  // Each throws Error("Unable to write to <name>") when the file cannot be written. Writes go
  // through the system's routine, never a snapshot.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void DeleteKey(std::string_view section, std::string_view key);

 private:
  std::string name_;
  std::shared_ptr<const ProfileText> content_;  // a snapshot's file; null: the platform's reads
};

}  // namespace vetrix
