// Profile files in the fake world's memory through the portable format, each parsed once and
// kept with its file. Paths use backslashes inside the program, as on Windows; the world resolves
// them as Windows would.
#include "platform/profile.h"

#include "platform/fake/world.h"
#include "platform/profile_format.h"

namespace vetrix::platform {

std::string ProfileReadString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback) {
  const ProfileText* text = fake::TheWorld().Profile(file);
  auto value = text ? text->Read(section, key) : std::nullopt;
  std::string out = value ? std::move(*value) : std::string(fallback);
  if (out.size() > kProfileReadBuffer - 1) out.resize(kProfileReadBuffer - 1);
  return out;
}

bool ProfileWriteString(const std::string& file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
  auto& world = fake::TheWorld();
  ++world.profileWrites;
  if (world.profileWritesFail) return false;
  if (ProfileText* text = world.Profile(file)) {
    text->Write(section, key, value);
    return true;
  }
  // A missing file is made only by a write that changes something.
  ProfileText text("");
  if (text.Write(section, key, value)) world.PutFile(file, text.Text());
  return true;
}

std::vector<std::string> ProfileKeyNames(const std::string& file, std::string_view section) {
  const ProfileText* text = fake::TheWorld().Profile(file);
  return text ? text->Keys(section) : std::vector<std::string>();
}

void SetCurrentDirectory(const std::string& directory) {
  std::string path = directory;
  for (char& c : path)
    if (c == '\\') c = '/';
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  fake::TheWorld().currentDirectory = path;
}

std::string CurrentDirectory() {
  std::string path = fake::TheWorld().currentDirectory;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string ExecutablePath() {
  std::string path = fake::TheWorld().executablePath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace vetrix::platform
