// Profile files in the fake world's memory through the portable format, each parsed once and
// kept with its file. Paths use backslashes inside the program, as on Windows; the world resolves
// them as Windows would.
#include "platform/profile.h"

#include "platform/fake/world.h"
#include "profile_format/document.h"

namespace vetrix::platform {

std::string ProfileReadString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback) {
  ++fake::TheWorld().profileReads;
  const ProfileText* text = fake::TheWorld().Profile(file);
  return ProfileAnswer(text ? text->Read(section, key) : std::nullopt, fallback);
}

bool ProfileWriteString(const std::string& file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
  auto& world = fake::TheWorld();
  ++world.profileWrites;
  if (world.profileWritesFail) return false;
  // A handler writes key after key: room for a run of them at once.
  if (world.profileWriteLog.empty()) world.profileWriteLog.reserve(32);
  world.profileWriteLog.push_back({std::string(section), std::string(key),
                                   value ? std::optional<std::string>(*value) : std::nullopt});
  if (ProfileText* text = world.ProfileToWrite(file)) {
    text->Write(section, key, value);
    return true;
  }
  // A missing file is made only by a write that changes something.
  ProfileText text("");
  if (text.Write(section, key, value)) world.PutFile(file, text.Text());
  return true;
}

std::vector<std::string> ProfileKeyNames(const std::string& file, std::string_view section) {
  ++fake::TheWorld().profileReads;
  const ProfileText* text = fake::TheWorld().Profile(file);
  return text ? text->Keys(section) : std::vector<std::string>();
}

std::vector<std::string> ProfileSectionNames(const std::string& file) {
  ++fake::TheWorld().profileReads;
  const ProfileText* text = fake::TheWorld().Profile(file);
  return text ? text->Sections() : std::vector<std::string>();
}

void SetCurrentDirectory(const SystemPath& directory) {
  std::string path = directory.utf8;
  for (char& c : path)
    if (c == '\\') c = '/';
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  fake::TheWorld().currentDirectory = path;
}

namespace {

// Host paths are UTF-8 already; the program sees them with backslashes.
SystemPath ProgramView(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return {path};
}

}  // namespace

SystemPath CurrentDirectory() { return ProgramView(fake::TheWorld().currentDirectory); }
SystemPath ExecutablePath() { return ProgramView(fake::TheWorld().executablePath); }

std::shared_ptr<const ProfileText> ProfileSnapshot(const std::string& file) {
  auto& world = fake::TheWorld();
  ++world.profileReads;
  const std::string* bytes = world.FileBytes(file);
  if (!bytes) return std::make_shared<const ProfileText>("");
  if (ProfileHasByteOrderMark(*bytes)) return nullptr;
  // The parse kept with the file, which reads as the file does: each step of loading takes a
  // snapshot, and sharing costs nothing where a copy or a parse would.
  return world.ProfileShared(file);
}

}  // namespace vetrix::platform
