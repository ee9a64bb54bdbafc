// The fake world behind the platform seam: a virtual clock, a scripted cursor and a queue of
// scripted events. Sleep advances the clock; ProcessMessages delivers what is due (scripted
// events first, then expired timers), exactly as a Win32 pump would between two passes.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/foreground.h"
#include "platform/hook_trust.h"
#include "platform/system.h"
#include "platform/trail_canvas.h"
#include "profile_format/document.h"

namespace vetrix::fake {

// Thrown by ExitProcess so that a test can see the process end; not a std::exception, so no
// handler dispatcher swallows it.
struct ProcessExit {
  int code;
};

// Thrown by Sleep when the virtual clock passes World::timeLimitMs: a loop that never ends.
struct RunawayLoop {};

struct TrayState {
  bool exists = false;
  platform::TrayPicture picture = platform::TrayPicture::Stopped;
  std::string tip = "Vetrix";
  // Title and text of each balloon shown.
  std::vector<std::pair<std::string, std::string>> balloons;
  // "add", "modify:running", "modify:stopped", "modify:tip", "modify:balloon", "delete"
  std::vector<std::string> calls;
};

struct KeyEvent {
  std::uint8_t vk;
  std::uint32_t scan;
  bool up;
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

struct ShellCall {
  std::string file;
  std::string directory;
  std::uint64_t at = 0;  // virtual time
};

// A test author's view of the world, in three parts: WorldScript is what a test sets before or
// while the program runs (the clock, the pointer, the screen, files, other programs, the user's
// answers); WorldLog is what a test reads afterwards (what the program did to the world); World
// adds the calls that script events and read the log, and keeps the fake platform's own state.

// What a test sets: the world the program runs in. Defaults are a quiet 1024 x 768 desktop at 96
// DPI, an empty folder and a clock at 0.
struct WorldScript {
  // The clock.
  std::uint64_t now = 0;  // virtual milliseconds
  // The user's clock when `now` is 0, in seconds since 1970 (2026-12-08 14:03:00).
  std::int64_t localClockAtStart = 1'796'738'580;
  std::uint64_t timeLimitMs = 60ull * 60 * 1000;

  // The pointer.
  Point cursor;
  // As Wine now and then does: after a SetCursorPos that moves the pointer, these reads of it
  // (1 = the first after the move) report where it was moved from, although it has moved.
  std::vector<std::uint64_t> warpEchoes;
  // The pointer is clipped or held by another program: SetCursorPos leaves it where it is.
  bool pointerHeld = false;

  // The screen. Display scaling: the primary monitor (0, 0, screen) at primaryDpi, and more
  // monitors beside it, each with its own DPI.
  Size screen{1024, 768};
  std::int32_t primaryDpi = 96;
  struct Monitor {
    Rect bounds;
    std::int32_t dpi = 96;
  };
  std::vector<Monitor> monitors;
  Size dragSlop{4, 4};

  // Other programs and the window in front.
  struct HotKey {
    std::int32_t modifiers;
    std::uint16_t key;
    friend bool operator==(const HotKey&, const HotKey&) = default;
  };
  std::vector<HotKey> hotKeysTaken;  // held by other programs
  // The programs with a visible window, as VisiblePrograms() gives them.
  std::vector<platform::VisibleProgram> visiblePrograms;
  // The window in front (World::BringToFront changes it as the user would).
  platform::ForegroundWindow foreground;
  bool foregroundZoomed = false;
  // The window in front has stopped answering: a command to it times out after 2 s, the
  // system calls it hung, and the hook library hears no move while it hangs (under Wine, none
  // over the window; the fake world has no place for it).
  bool foregroundHung = false;
  // When it stopped answering: the system calls it hung only 5 s later, as Windows and Wine do.
  std::uint64_t foregroundHungSince = 0;
  static constexpr std::uint64_t kCalledHungAfterMs = 5000;
  // The window in front stops answering at the next command sent to it.
  bool hangAtCommand = false;
  // The system has dropped the hook, as Windows does after an answer that came late: the
  // library hears nothing until the hook is installed again.
  bool hookDropped = false;

  // The user's answers.
  std::optional<int> menuChoice;  // the item the user picks in the next menu shown
  bool shiftHeld = false;         // as a menu opens
  // What the next dialogs answer (UTF-8 paths), in order; a cancel when none is left.
  std::vector<std::optional<std::string>> dialogAnswers;

  // Files (their contents: World::PutFile). Host paths; the program sees them with backslashes.
  std::string currentDirectory = ".";
  std::string executablePath = "/opt/vetrix/vetrix.exe";
  // Plain files whose writes the file system refuses, as the program names them.
  std::vector<std::string> refusedFiles;
  // Plain files that are there but whose reads fail (another program holds them, say).
  std::vector<std::string> unreadableFiles;
  // How long each write of a plain file takes on the clock: a slow disk or network share.
  std::uint32_t plainFileWriteMs = 0;
  // Root ignores file permissions, so a read-only gesture.ini is simulated here.
  bool profileWritesFail = false;
};

// What a test reads: what the program did to the world, in the order it did it.
struct WorldLog {
  std::uint64_t pumps = 0;  // ProcessMessages calls so far
  int waits = 0;            // waits for a message or a pointer move
  Point cursorRead;         // where the program last read the pointer
  struct CursorSet {
    std::uint64_t at;
    Point to;
  };
  std::vector<CursorSet> cursorSets;  // every SetCursorPos, with the virtual time
  bool instanceGuardTaken = false;

  std::vector<std::string> errorBoxes;
  struct MessageBox {
    std::string text;
    std::string caption;
  };
  std::vector<MessageBox> messageBoxes;
  std::vector<ShellCall> shellCalls;
  TrayState tray;
  std::vector<KeyEvent> keyEvents;
  std::vector<std::string> windowCommands;  // "minimize", "maximize", "restore", "close"
  int foregroundCalls = 0;
  struct MenuShown {
    const platform::PopupMenu* menu;
    Point at;
  };
  std::vector<MenuShown> menusShown;
  struct DialogCall {
    std::string filter;
    std::string initialDirectory;
  };
  std::vector<DialogCall> dialogCalls;

  // The triggers: the hot key, the hook library and the mouse trigger as the program set them.
  std::optional<WorldScript::HotKey> hotKey;  // registered by the program
  int hotKeyRegistrations = 0;
  bool hookInstalled = false;
  struct MouseTrigger {
    int button;
    bool on;
    bool holdBack;
    friend bool operator==(const MouseTrigger&, const MouseTrigger&) = default;
  };
  MouseTrigger mouseTrigger{0, false, false};

  // The program's watch on the window in front.
  std::function<void()> foregroundWatch;
  bool foregroundPlacementWatched = false;
  int foregroundProgramLookups = 0;

  // The trail's surface: made at OpenTrail, gone at CloseTrail. The pixels here cover the
  // screen, for the tests to look at; `picture` is the part the real surface's picture would
  // cover (empty: none made), by the same rule, and `largestPicture` the largest it was.
  struct Trail {
    bool open = false;
    int opened = 0;  // surfaces made so far
    std::vector<std::uint32_t> pixels;
    Rect picture;
    std::int64_t largestPicture = 0;  // in pixels
    // The points handed to the trail since it opened (the first kTrailPointsKept of them), and
    // where each lifted pen put down again.
    std::vector<Point> points;
    std::vector<std::size_t> lifts;
    Point last;  // internal: where the pen is
    bool penDown = false;
    // The line's width, for the monitor where the pen was last put down.
    float width = platform::kTrailWidth;
  } trail;
  static constexpr std::size_t kTrailPointsKept = 4096;
  // Every tip shown; `shown` while the last one is on the screen.
  struct Tip {
    std::string text;
    Point near;
    std::uint64_t at;
  };
  std::vector<Tip> tips;
  bool tipShown = false;

  // Files.
  int plainFileWrites = 0;  // tried, refused or not
  int profileWrites = 0;
  // Every write that reached a file, in order; a deleted key has no value.
  struct ProfileWrite {
    std::string section;
    std::string key;
    std::optional<std::string> value;
    friend bool operator==(const ProfileWrite&, const ProfileWrite&) = default;
  };
  std::vector<ProfileWrite> profileWriteLog;
  int profileReads = 0;  // reads asked of the profile routines, whole-file reads included
};

namespace detail {
// The fake platform's own state; a test neither sets nor reads it.
struct WorldWorks {
  std::optional<Point> warpedFrom;  // none before the first warp
  std::uint64_t readsSinceWarp = 0;
  std::function<void(Point)> windowDrag;  // set by the fake window made last
  platform::HookTrust hookTrust;
};
}  // namespace detail

class World : public WorldScript, public WorldLog, public detail::WorldWorks {
 public:
  // Scripting: events to come.
  // Runs fn from the pump once the clock has reached timeMs.
  void At(std::uint64_t timeMs, std::function<void()> fn);
  // Runs fn from the n-th pump from now (1 = the next one).
  void AfterPumps(std::uint64_t pumps, std::function<void()> fn);
  // Puts the cursor at path[0] now-ish: one point per pump, starting with the next pump.
  void CursorPath(const std::vector<Point>& path);
  // A recorded pointer: from now on the cursor is where the latest sample whose time has come
  // puts it, as a real pointer is between two reports of the hook; each later sample wakes a
  // loop that waits for the pointer to move. Samples in time order.
  struct Sample {
    std::uint64_t at;
    Point to;
  };
  void FollowTrack(std::vector<Sample> track);
  // The user drags the window made last (the main window, or a dialog while it is open) until
  // its top-left corner is at `to`. Where that puts the
  // window's centre on a monitor of another DPI, the window hears it as from Windows
  // (WM_DPICHANGED): it takes the suggested size (its own scaled to the new DPI) and lays
  // itself out again.
  void DragWindow(Point to);
  // Another window comes to the front; a watch hears of it at the next pump, as from the queue.
  void BringToFront(platform::ForegroundWindow window);
  // The window in front moves or changes size; heard only by a watch that follows placement.
  void PlaceForeground(Rect bounds);
  // Files live in memory, not on the disk: a fuzz target loads thousands of them a second and
  // tests leave nothing behind. Paths as the program gives them (either slash, relative to
  // currentDirectory, letters in any case). Every folder exists.
  void PutFile(const std::string& path, std::string bytes);

  // Reading.
  // Null when there is no such file.
  const std::string* FileBytes(const std::string& path) const;
  // The DPI of the monitor at a point; the primary's off every monitor.
  std::int32_t DpiAt(Point p) const;
  // The trail's colour at a screen point (its cover 0 to 255); 0 without a surface.
  int TrailCover(Point at) const;
  bool TipTimerRunning() const;
  bool ForegroundCalledHung() const;

  // For the fake platform (platform/fake/*.cpp) only.
  bool Refuses(const std::string& path) const;
  bool CannotRead(const std::string& path) const;
  // The file read as a profile file, parsed on first use and kept with it until it is put anew;
  // its writes are the file's. Null when there is no such file. A snapshot shares the parse;
  // a write then parts the file from it.
  const ProfileText* Profile(const std::string& path);
  ProfileText* ProfileToWrite(const std::string& path);
  std::shared_ptr<const ProfileText> ProfileShared(const std::string& path);
  // Moves the cursor to the latest sample due.
  void CatchUpTrack();
  void StartTimer(const void* id, std::uint32_t interval, std::function<void()> fire);
  void StopTimer(const void* id);
  bool TimerRunning(const void* id) const;
  // True when it ran anything.
  bool Pump();
  void Advance(std::uint32_t ms);
  // Lets the clock run to the next scripted event or timer expiry, as a wait for a message or
  // a pointer move; at once where the hook library is not installed to report moves. A
  // scripted event counts as a message: what it does is not known here.
  // Where the library hears nothing, the wait looks at the pointer and the window in front every
  // few seconds, as the Win32 one does.
  platform::Woken WaitForActivity();

 private:
  struct TimerSlot {
    const void* id;
    std::uint32_t interval;
    std::uint64_t due;
    std::function<void()> fire;
  };
  struct Scripted {
    bool byPump;
    std::uint64_t when;
    std::uint64_t order;
    std::function<void()> fn;
  };
  std::vector<Scripted> script_;
  std::vector<TimerSlot> timers_;
  std::vector<Sample> track_;
  std::size_t trackNext_ = 0;
  std::uint64_t order_ = 0;
  struct File {
    std::string bytes;
    std::shared_ptr<ProfileText> profile;  // when made, the file's content
  };
  std::map<std::string, File> files_;  // by FileKey
  // The last files found and what named them: the program names one file over and over, in
  // two spellings.
  struct Found {
    std::string path, directory;
    const File* file = nullptr;
  };
  mutable std::array<Found, 2> found_;
  mutable std::size_t foundNext_ = 0;
  std::string FileKey(const std::string& path) const;
  bool Listed(const std::vector<std::string>& paths, const std::string& path) const;
  const File* Find(const std::string& path) const;
  File* Find(const std::string& path) { return const_cast<File*>(std::as_const(*this).Find(path)); }
  File* Parsed(const std::string& path);
};

World& TheWorld();
// A fresh world for the next test.
void ResetWorld();

}  // namespace vetrix::fake
