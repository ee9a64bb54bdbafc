#include "platform/fake/world.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/handler.h"

namespace vetrix::fake {
namespace {
std::unique_ptr<World> g_world = std::make_unique<World>();
}

World& TheWorld() { return *g_world; }
void ResetWorld() { g_world = std::make_unique<World>(); }

std::int32_t World::DpiAt(Point p) const {
  for (const Monitor& m : monitors) {
    const Rect& b = m.bounds;
    if (p.x >= b.left && p.x < b.left + b.width && p.y >= b.top && p.y < b.top + b.height)
      return m.dpi;
  }
  return primaryDpi;
}

void World::DragWindow(Point to) {
  if (windowDrag) windowDrag(to);
}

void World::At(std::uint64_t timeMs, std::function<void()> fn) {
  script_.push_back({false, timeMs, order_++, std::move(fn)});
}

void World::AfterPumps(std::uint64_t n, std::function<void()> fn) {
  script_.push_back({true, pumps + n, order_++, std::move(fn)});
}

void World::CursorPath(const std::vector<Point>& path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    const Point p = path[i];
    AfterPumps(i + 1, [this, p] { cursor = p; });
  }
}

void World::BringToFront(platform::ForegroundWindow window) {
  foreground = std::move(window);
  if (foregroundWatch) AfterPumps(1, foregroundWatch);
}

void World::PlaceForeground(Rect bounds) {
  foreground.bounds = bounds;
  if (foregroundWatch && foregroundPlacementWatched) AfterPumps(1, foregroundWatch);
}

void World::FollowTrack(std::vector<Sample> track) {
  track_ = std::move(track);
  trackNext_ = 0;
  CatchUpTrack();
}

void World::CatchUpTrack() {
  while (trackNext_ < track_.size() && track_[trackNext_].at <= now)
    cursor = track_[trackNext_++].to;
}

void World::StartTimer(const void* id, std::uint32_t interval, std::function<void()> fire) {
  if (TimerRunning(id)) return;
  timers_.push_back({id, interval, now + interval, std::move(fire)});
}

void World::StopTimer(const void* id) {
  std::erase_if(timers_, [id](const TimerSlot& t) { return t.id == id; });
}

bool World::TimerRunning(const void* id) const {
  return std::any_of(timers_.begin(), timers_.end(),
                     [id](const TimerSlot& t) { return t.id == id; });
}

bool World::Pump() {
  ++pumps;
  bool ran = false;
  // A handler may add to the script or stop timers while it runs, so take one due item at a
  // time and look again.
  for (;;) {
    auto due = std::find_if(script_.begin(), script_.end(), [this](const Scripted& s) {
      return s.byPump ? s.when <= pumps : s.when <= now;
    });
    if (due == script_.end()) break;
    auto fn = std::move(due->fn);
    script_.erase(due);
    ran = true;
    platform::RunHandler(fn);
  }
  // Like WM_TIMER: at most one expiry per timer per pump; the timer goes on unless its
  // handler stops it.
  std::vector<const void*> expired;
  for (const TimerSlot& t : timers_)
    if (t.due <= now) expired.push_back(t.id);
  for (const void* id : expired) {
    auto slot = std::find_if(timers_.begin(), timers_.end(),
                             [id](const TimerSlot& t) { return t.id == id; });
    if (slot == timers_.end()) continue;
    slot->due = now + slot->interval;
    auto fire = slot->fire;
    ran = true;
    platform::RunHandler(fire);
  }
  return ran;
}

platform::Woken World::WaitForActivity() {
  ++waits;
  // The fake's primitives of the resting wait. The library hears nothing while the window in
  // front hangs or the system has dropped its hook; it is never taken off here.
  class Primitives final : public platform::HookWorld {
   public:
    explicit Primitives(World& w) : w_(w) {}

    bool LibraryRuns() override { return w_.hookInstalled; }
    bool Hearing() override { return true; }
    bool HearMoves(bool /*hear*/) override { return true; }
    // The library sets its hook again on its own thread.
    void SetHookAgain() override { w_.hookDropped = false; }
    std::optional<Point> Heard() override { return std::nullopt; }

    Wake Wait(std::uint64_t ms) override {
      const bool heard = !w_.foregroundHung && !w_.hookDropped;
      // The hook has seen a move since the pointer was last read: its signal is already set.
      if (heard && w_.cursor != w_.cursorRead) return Wake::kMoveHeard;
      // What the script delivers at the next pumps stands for messages already in the queue.
      if (std::any_of(w_.script_.begin(), w_.script_.end(),
                      [](const Scripted& s) { return s.byPump; }))
        return Wake::kMessage;
      std::uint64_t next = UINT64_MAX;
      for (const Scripted& s : w_.script_) next = std::min(next, s.when);
      for (const TimerSlot& t : w_.timers_) next = std::min(next, t.due);
      const bool sample =
          heard && w_.trackNext_ < w_.track_.size() && w_.track_[w_.trackNext_].at <= next;
      if (sample) next = w_.track_[w_.trackNext_].at;
      // Only a library that hears nothing makes the wait look for itself before `next`.
      if (const std::uint64_t look = w_.now + ms; !heard && look < next) {
        if (look > w_.timeLimitMs) throw RunawayLoop{};
        w_.now = look;
        w_.CatchUpTrack();
        return Wake::kTimedOut;
      }
      // Nothing will ever come: a loop that waits here would wait for good.
      if (next == UINT64_MAX || next > w_.timeLimitMs) throw RunawayLoop{};
      w_.now = std::max(w_.now, next);
      return sample ? Wake::kMoveHeard : Wake::kMessage;
    }

    std::uint64_t NowMs() override { return w_.now; }
    Point SystemPointer() override {
      w_.CatchUpTrack();
      return w_.cursor;
    }
    Point LastRead() override { return w_.cursorRead; }
    bool AnyWindowHung() override { return w_.ForegroundCalledHung(); }
    bool ForegroundHung() override { return w_.ForegroundCalledHung(); }

   private:
    World& w_;
  };
  Primitives primitives(*this);
  return hookTrust.RestingWait(primitives);
}

bool World::ForegroundCalledHung() const {
  return foregroundHung && now >= foregroundHungSince + kCalledHungAfterMs;
}

void World::Advance(std::uint32_t ms) {
  now += ms;
  if (now > timeLimitMs) throw RunawayLoop{};
}

void World::PutFile(const std::string& path, std::string bytes) {
  files_[FileKey(path)] = {std::move(bytes), nullptr};
}

const std::string* World::FileBytes(const std::string& path) const {
  const File* file = Find(path);
  if (!file) return nullptr;
  return file->profile ? &file->profile->Text() : &file->bytes;
}

bool World::Listed(const std::vector<std::string>& paths, const std::string& path) const {
  const std::string key = FileKey(path);
  return std::any_of(paths.begin(), paths.end(),
                     [&](const std::string& listed) { return FileKey(listed) == key; });
}

bool World::Refuses(const std::string& path) const { return Listed(refusedFiles, path); }

bool World::CannotRead(const std::string& path) const { return Listed(unreadableFiles, path); }

World::File* World::Parsed(const std::string& path) {
  File* file = Find(path);
  if (file && !file->profile) {
    file->profile = std::make_shared<ProfileText>(file->bytes);
    file->bytes = std::string();
  }
  return file;
}

const ProfileText* World::Profile(const std::string& path) {
  const File* file = Parsed(path);
  return file ? file->profile.get() : nullptr;
}

ProfileText* World::ProfileToWrite(const std::string& path) {
  File* file = Parsed(path);
  if (!file) return nullptr;
  if (file->profile.use_count() > 1) file->profile = std::make_shared<ProfileText>(*file->profile);
  return file->profile.get();
}

std::shared_ptr<const ProfileText> World::ProfileShared(const std::string& path) {
  const File* file = Parsed(path);
  return file ? file->profile : nullptr;
}

const World::File* World::Find(const std::string& path) const {
  // Files are never removed, so a file once found stays where it is.
  for (const Found& f : found_)
    if (f.file && path == f.path && currentDirectory == f.directory) return f.file;
  const auto file = files_.find(FileKey(path));
  if (file == files_.end()) return nullptr;
  Found& slot = found_[foundNext_];
  foundNext_ = (foundNext_ + 1) % found_.size();
  slot = {path, currentDirectory, &file->second};
  return slot.file;
}

// One spelling per file, as Windows resolves a name: against the current folder, without "."
// or ".." or doubled slashes, ASCII letters in one case.
std::string World::FileKey(const std::string& path) const {
  // The program's backslashes are slashes; the current folder is a host path.
  const auto slash = [](char c) { return c == '/' || c == '\\'; };
  const bool absolute = (!path.empty() && slash(path[0])) || (path.size() > 1 && path[1] == ':');
  const bool rooted = absolute ? !path.empty() && slash(path[0])
                               : currentDirectory.empty() || currentDirectory[0] == '/';
  std::string key = rooted ? "/" : "";
  const std::size_t root = key.size();
  // Part by part into the key, the current folder's first for a relative path.
  auto add = [&](std::string_view rest, bool backslashes) {
    while (!rest.empty()) {
      std::size_t end = 0;
      while (end < rest.size() && rest[end] != '/' && !(backslashes && rest[end] == '\\')) ++end;
      const std::string_view part = rest.substr(0, end);
      rest.remove_prefix(end == rest.size() ? end : end + 1);
      if (part.empty() || part == ".") continue;
      const std::size_t at = key.rfind('/');
      const std::size_t from = at == std::string::npos ? 0 : at + 1;  // where the last part starts
      const bool hasParts = key.size() > root;
      const std::string_view last = std::string_view(key).substr(from);
      if (part != "..") {
        key.append(hasParts ? "/" : "").append(part);
      } else if (hasParts && last != ".." && !last.ends_with(':')) {
        key.resize(from > root ? from - 1 : root);
      } else if (!rooted && (!hasParts || last == "..")) {
        // above a relative current folder; a root has nothing above
        key.append(hasParts ? "/" : "").append(part);
      }
    }
  };
  if (!absolute) add(currentDirectory, false);
  add(path, true);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

}  // namespace vetrix::fake
