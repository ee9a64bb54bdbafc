#include "store/settings_file.h"

#include "base/ascii.h"
#include "base/error.h"
#include "platform/profile.h"
#include "profile_format/document.h"
#include "store/number.h"

namespace vetrix {

SettingsFile SettingsFile::Snapshot(std::string name) {
  SettingsFile file(std::move(name));
  file.content_ = platform::ProfileSnapshot(file.name_);
  return file;
}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
  if (content_) return ProfileAnswer(content_->Read(section, key), fallback);
  return platform::ProfileReadString(name_, section, key, fallback);
}

std::int32_t SettingsFile::ReadInteger(std::string_view section, std::string_view key,
                                       std::int32_t fallback) const {
  return ParseInt32(ReadString(section, key)).value_or(fallback);
}

bool SettingsFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::string> SettingsFile::KeyNames(std::string_view section) const {
  if (content_) return content_->Keys(section);
  return platform::ProfileKeyNames(name_, section);
}

std::vector<std::string> SettingsFile::SectionNames() const {
  if (content_) return content_->Sections();
  return platform::ProfileSectionNames(name_);
}

bool SettingsFile::KeyExists(std::string_view section, std::string_view key) const {
  for (const std::string& name : KeyNames(section))
    if (EqualsIgnoringAsciiCase(name, key)) return true;
  return false;
}

void SettingsFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  if (!platform::ProfileWriteString(name_, section, key, value))
    throw Error("Unable to write to " + name_);
}

void SettingsFile::WriteInteger(std::string_view section, std::string_view key,
                                std::int32_t value) {
  WriteString(section, key, IntToText(value));
}

void SettingsFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void SettingsFile::DeleteKey(std::string_view section, std::string_view key) {
  // A key that cannot be deleted is left; the writes around it report the file.
  platform::ProfileWriteString(name_, section, key, std::nullopt);
}

}  // namespace vetrix
