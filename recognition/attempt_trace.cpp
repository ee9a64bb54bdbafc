#include "recognition/attempt_trace.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include "base/attempt_trace_format.h"
#include "base/path.h"
#include "base/texts.h"
#include "platform/files.h"
#include "platform/foreground.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "recognition/mouse_trigger.h"
#include "recognition/pause.h"
#include "recognition/watcher.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

// The setting as a full path: the current folder changes later (binding a file to a gesture
// moves it to the program's folder), the trace stays where it was named.
SystemPath TracePath(const std::string& setting) {
  std::string path = Utf8FromCp1251(setting);
  const bool absolute =
      path.starts_with('\\') || path.starts_with('/') || (path.size() > 1 && path[1] == ':');
  if (absolute) return {path};
  std::string folder = platform::CurrentDirectory().utf8;
  if (!folder.ends_with('\\')) folder += '\\';
  return {folder + path};
}

// A share (\\server\share, also \\?\ and \\.\) may stall every write; a device (NUL, COM1,
// CON.txt) is no file at all.
bool NetworkOrDevice(std::string_view path) {
  if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
      (path[1] == '\\' || path[1] == '/'))
    return true;
  std::string_view name = path.substr(path.find_last_of("\\/:") + 1);
  name = name.substr(0, name.find('.'));
  while (name.ends_with(' ')) name.remove_suffix(1);
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (upper == device) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '0' && upper[3] <= '9';
}

// The attempts of `file` that fit into `budget` bytes, the latest ones, whole.
std::string_view LastAttempts(std::string_view file, std::size_t budget) {
  if (file.size() <= budget) return file;
  const std::size_t from = file.size() - budget;
  for (std::size_t at = file.find(kAttemptOpening, from); at != std::string_view::npos;
       at = file.find(kAttemptOpening, at + 1))
    if (file[at - 1] == '\n') return file.substr(at);
  return {};
}

class AttemptTrace : public RecognitionWatcher {
 public:
  AttemptTrace(MainWindow& window, SystemPath path)
      : window_(window), path_(std::move(path)), networkOrDevice_(NetworkOrDevice(path_.utf8)) {
    program_.reserve(kProgramRoom);
  }

  void RunToggled(bool on) override {
    if (open_) End({AttemptEnding::Kind::kRun});
    if (!on) return;
    Flush();
    anchorMs_ = platform::TickCountMs();
  }

  // Inside a pass: nothing here allocates or writes.
  void PassFollowed(Point anchor, bool anchorMoved) override {
    const std::uint64_t now = platform::TickCountMs();
    const Point cursor = window_.state.cursorPoint;
    if (open_) {
      Push({now, cursor, anchorMoved});
      // Every gesture dropped out and the failures stopped the timer.
      if (!Running()) End({AttemptEnding::Kind::kTimer});
    } else if (anchorMoved && Running()) {
      open_ = true;
      ending_.reset();
      pushed_ = 0;
      began_ = platform::LocalTimeNow();
      mode_ = ButtonStartsRecognition(window_)  ? kTraceModeButton
              : window_.hotKeyModeBox.Checked() ? kTraceModeHotKey
                                                : kTraceModeContinuous;
      // Only where programs have actions of their own: other files keep the format as it was.
      if (!window_.state.programActions.empty())
        program_.assign(platform::ForegroundProgram().substr(0, kProgramRoom));
      Push({anchorMs_, anchor, true});
      Push({now, cursor, true});
    }
    if (anchorMoved) anchorMs_ = now;
  }

  void Pumped() override {
    // The timer ran out in the pump, or a pause dropped every attempt.
    if (open_ && !Running()) End({AttemptEnding::Kind::kTimer});
    Flush();
  }

  void RunEnded() override {
    if (open_) End({AttemptEnding::Kind::kRun});
    Flush();
  }

  void Fired(const Firing& firing) override {
    if (!open_) return;
    End({AttemptEnding::Kind::kFired, firing.row});
  }

 private:
  struct Sample {
    std::uint64_t ms;
    Point at;
    bool anchor;  // the next movement was measured from here
  };

  // An attempt runs while the timer does or any gesture is followed.
  bool Running() const {
    if (window_.attemptTimer.Running()) return true;
    const GestureTable& t = window_.state.table;
    return std::any_of(t.matchProgress, t.matchProgress + TableSize(t),
                       [](std::int32_t progress) { return progress > 0; });
  }

  void Push(const Sample& sample) { ring_[pushed_++ % ring_.size()] = sample; }
  const Sample& At(std::size_t i) const { return ring_[i % ring_.size()]; }

  void End(const AttemptEnding& ending) {
    open_ = false;
    ending_ = ending;
  }

  // Outside passes: the attempt that has ended goes to the file, unless the file refused or
  // was slow a moment ago.
  void Flush() {
    if (!ending_) return;
    const std::string text = Text();
    ending_.reset();
    pushed_ = 0;
    const std::uint64_t start = platform::TickCountMs();
    if (start < quietUntilMs_) return;
    const Outcome outcome = Store(text);
    const std::uint64_t end = platform::TickCountMs();
    if (outcome != Outcome::Written || end - start > kTraceSlowWriteMs)
      quietUntilMs_ = end + kTraceQuietMs;
    if (outcome != Outcome::Written) ShowRefusal(outcome);
  }

  enum class Outcome { Written, Refused, NotATrace, NetworkOrDevice };

  Outcome Store(const std::string& text) {
    if (networkOrDevice_) return Outcome::NetworkOrDevice;
    // Only a file of attempts is added to or cut: anything else a mistyped path names is left
    // as it is.
    const std::optional<std::string> start = platform::ReadFileStart(path_, kAttemptOpening.size());
    if (!start) return Outcome::Refused;
    if (!start->empty() && *start != kAttemptOpening) return Outcome::NotATrace;
    const std::uint64_t size = platform::FileSize(path_).value_or(0);
    if (size + text.size() <= kTraceFileLimit)
      return platform::AppendToFile(path_, text) ? Outcome::Written : Outcome::Refused;
    const std::optional<std::string> old = platform::ReadWholeFile(path_);
    if (!old) return Outcome::Refused;
    const std::size_t budget = kTraceFileLimit / 2 - std::min(text.size(), kTraceFileLimit / 2);
    return platform::ReplaceWholeFile(path_, std::string(LastAttempts(*old, budget)) + text)
               ? Outcome::Written
               : Outcome::Refused;
  }

  void ShowRefusal(Outcome why) {
    if (refusalShown_) return;
    refusalShown_ = true;
    std::string tip = why == Outcome::NotATrace         ? texts::kTraceNotATraceTip.str()
                      : why == Outcome::NetworkOrDevice ? texts::kTraceNetworkTip.str()
                                                        : texts::kTraceRefusedTip.str();
    SetUnpausedTip(window_, tip + Cp1251FromUtf8Lossy(path_.utf8));
  }

  std::string Text() const {
    // Past the ring's size the first passes are gone; the first line is still a point that a
    // movement was measured from, so that the next movement is measured as it was.
    std::size_t first = pushed_ - std::min(pushed_, ring_.size());
    if (first > 0) {
      std::size_t anchor = first;
      while (anchor < pushed_ && !At(anchor).anchor) ++anchor;
      if (anchor < pushed_) first = anchor;
    }
    char date[64];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", began_.year, began_.month,
                  began_.day, began_.hour, began_.minute, began_.second);
    std::string text = std::string(kAttemptOpening) + date;
    text += kTraceFieldSeparator;
    text += mode_;
    text += kTraceFieldSeparator;
    text += EndingText(*ending_);
    if (first > 0) {
      text += kTraceFieldSeparator;
      text += SamplesLostText(first);
    }
    if (!program_.empty()) {
      text += kTraceProgramField;
      text += program_;
    }
    text += kTraceLineEnd;
    const std::uint64_t start = At(first).ms;
    for (std::size_t i = first; i < pushed_; ++i) {
      const Sample& s = At(i);
      text += std::to_string(s.ms - start) + ' ' + std::to_string(s.at.x) + ' ' +
              std::to_string(s.at.y);
      text += kTraceLineEnd;
    }
    return text;
  }

  MainWindow& window_;
  const SystemPath path_;
  const bool networkOrDevice_;
  std::array<Sample, kTraceRingSize> ring_{};
  std::size_t pushed_ = 0;  // passes of the attempt so far, kept or not
  bool open_ = false;
  std::optional<AttemptEnding> ending_;  // set: the attempt has ended and waits to be written
  platform::LocalTime began_;
  std::string_view mode_;
  // The program in front as the attempt began; taken inside a pass, into room made beforehand.
  static constexpr std::size_t kProgramRoom = 1024;
  std::string program_;
  std::uint64_t anchorMs_ = 0;  // when the anchor was taken
  bool refusalShown_ = false;
  std::uint64_t quietUntilMs_ = 0;  // no write is tried before then
};

}  // namespace

void StartAttemptTrace(MainWindow& window, const std::string& setting) {
  if (setting.empty()) return;
  Watch(window, std::make_unique<AttemptTrace>(window, TracePath(setting)));
}

}  // namespace vetrix
