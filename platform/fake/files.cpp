// Plain files in the fake world's memory, beside its profile files.
#include "platform/files.h"

#include "platform/fake/world.h"

namespace vetrix::platform {

std::optional<std::uint64_t> FileSize(const SystemPath& path) {
  const std::string* bytes = fake::TheWorld().FileBytes(path.utf8);
  if (!bytes) return std::nullopt;
  return bytes->size();
}

std::optional<std::string> ReadWholeFile(const SystemPath& path) {
  const std::string* bytes = fake::TheWorld().FileBytes(path.utf8);
  if (!bytes) return std::nullopt;
  return *bytes;
}

bool AppendToFile(const SystemPath& path, std::string_view bytes) {
  auto& world = fake::TheWorld();
  if (world.Refuses(path.utf8)) return false;
  const std::string* old = world.FileBytes(path.utf8);
  std::string whole = old ? *old : std::string();
  world.PutFile(path.utf8, whole.append(bytes));
  return true;
}

bool RewriteFile(const SystemPath& path, std::string_view bytes) {
  auto& world = fake::TheWorld();
  if (world.Refuses(path.utf8)) return false;
  world.PutFile(path.utf8, std::string(bytes));
  return true;
}

}  // namespace vetrix::platform
