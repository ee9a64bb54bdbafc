// Plain files in the fake world's memory, beside its profile files.
#include "platform/files.h"

#include "platform/fake/world.h"

namespace vetrix::platform {
namespace {

bool Write(const SystemPath& path, std::string bytes) {
  auto& world = fake::TheWorld();
  ++world.plainFileWrites;
  world.Advance(world.plainFileWriteMs);
  if (world.Refuses(path.utf8)) return false;
  world.PutFile(path.utf8, std::move(bytes));
  return true;
}

}  // namespace

std::optional<std::uint64_t> FileSize(const SystemPath& path) {
  const std::string* bytes = fake::TheWorld().FileBytes(path.utf8);
  if (!bytes) return std::nullopt;
  return bytes->size();
}

std::optional<std::string> ReadWholeFile(const SystemPath& path) {
  const std::string* bytes = fake::TheWorld().FileBytes(path.utf8);
  if (!bytes || fake::TheWorld().CannotRead(path.utf8)) return std::nullopt;
  return *bytes;
}

std::optional<std::string> ReadFileStart(const SystemPath& path, std::size_t count) {
  const std::string* bytes = fake::TheWorld().FileBytes(path.utf8);
  if (!bytes) return std::string();
  if (fake::TheWorld().CannotRead(path.utf8)) return std::nullopt;
  return bytes->substr(0, count);
}

bool AppendToFile(const SystemPath& path, std::string_view bytes) {
  const std::string* old = fake::TheWorld().FileBytes(path.utf8);
  std::string whole = old ? *old : std::string();
  return Write(path, whole.append(bytes));
}

bool ReplaceWholeFile(const SystemPath& path, std::string_view bytes) {
  return Write(path, std::string(bytes));
}

}  // namespace vetrix::platform
