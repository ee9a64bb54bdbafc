// Profile files on the real disk through the portable format. Paths use backslashes inside
// the program, as on Windows, and the fake world's current directory resolves relative names.
// Windows file names ignore case; so does this, for the file name itself.
#include "platform/profile.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/fake/world.h"
#include "platform/profile_format.h"

namespace vetrix::platform {
namespace {

std::string HostPath(const std::string& file) {
  std::string path = file;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.rfind("./", 0) == 0) path = path.substr(2);
  if (path.empty() || path[0] != '/') path = fake::TheWorld().currentDirectory + "/" + path;
  const auto slash = path.find_last_of('/');
  for (std::size_t i = slash + 1; i < path.size(); ++i)
    if (path[i] >= 'A' && path[i] <= 'Z') path[i] = static_cast<char>(path[i] - 'A' + 'a');
  return path;
}

std::optional<std::string> Load(const std::string& file) {
  std::ifstream in(HostPath(file), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::string ProfileReadString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback) {
  ++fake::TheWorld().profileReads;
  const auto content = Load(file);
  auto value = content ? ProfileRead(*content, section, key) : std::nullopt;
  std::string out = value ? std::move(*value) : std::string(fallback);
  if (out.size() > kProfileReadBuffer - 1) out.resize(kProfileReadBuffer - 1);
  return out;
}

bool ProfileWriteString(const std::string& file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
  auto& world = fake::TheWorld();
  ++world.profileWrites;
  if (world.profileWritesFail) return false;
  const std::string before = Load(file).value_or(std::string());
  const std::string after = ProfileWrite(before, section, key, value);
  if (after == before) return true;
  std::ofstream out(HostPath(file), std::ios::binary | std::ios::trunc);
  out << after;
  return static_cast<bool>(out.flush());
}

std::vector<std::string> ProfileKeyNames(const std::string& file, std::string_view section) {
  ++fake::TheWorld().profileReads;
  const auto content = Load(file);
  return content ? ProfileKeys(*content, section) : std::vector<std::string>();
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

std::optional<std::string> ProfileFileContent(const std::string& file) {
  ++fake::TheWorld().profileReads;
  return Load(file);
}

}  // namespace vetrix::platform
