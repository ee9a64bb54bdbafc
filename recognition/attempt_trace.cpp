#include "recognition/attempt_trace.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include "base/path.h"
#include "base/texts.h"
#include "platform/files.h"
#include "platform/foreground.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "recognition/mouse_trigger.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kAttemptOpening = "# attempt ";

enum class Ending { None, Fired, Timer, Run };

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
  AttemptTrace(MainWindow& window, SystemPath path) : window_(window), path_(std::move(path)) {
    program_.reserve(kProgramRoom);
  }

  void RunToggled(bool on) override {
    if (open_) End(Ending::Run);
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
      if (!Running()) End(Ending::Timer);
    } else if (anchorMoved && Running()) {
      open_ = true;
      ending_ = Ending::None;
      pushed_ = 0;
      began_ = platform::LocalTimeNow();
      mode_ = ButtonStartsRecognition(window_)  ? "mouse button"
              : window_.hotKeyModeBox.Checked() ? "hot key"
                                                : "continuous";
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
    if (open_ && !Running()) End(Ending::Timer);
    Flush();
  }

  void RunEnded() override {
    if (open_) End(Ending::Run);
    Flush();
  }

  void Fired(const Firing& firing) override {
    if (!open_) return;
    firedRow_ = firing.row;
    End(Ending::Fired);
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

  void End(Ending ending) {
    open_ = false;
    ending_ = ending;
  }

  // Outside passes: the attempt that has ended goes to the file.
  void Flush() {
    if (ending_ == Ending::None) return;
    const std::string text = Text();
    ending_ = Ending::None;
    pushed_ = 0;
    if (!Store(text) && !refusalShown_) {
      refusalShown_ = true;
      window_.trayIcon.SetTip(texts::kTraceRefusedTip.str() + Cp1251FromUtf8Lossy(path_.utf8));
    }
  }

  bool Store(const std::string& text) {
    const std::uint64_t size = platform::FileSize(path_).value_or(0);
    if (size + text.size() <= kTraceFileLimit) return platform::AppendToFile(path_, text);
    const std::optional<std::string> old = platform::ReadWholeFile(path_);
    const std::size_t budget = kTraceFileLimit / 2 - std::min(text.size(), kTraceFileLimit / 2);
    return platform::RewriteFile(path_, std::string(LastAttempts(old.value_or(""), budget)) + text);
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
    std::string text = std::string(kAttemptOpening) + date + ", " + mode_ + ", ";
    switch (ending_) {
      case Ending::Fired:
        text += "fired row " + std::to_string(firedRow_);
        break;
      case Ending::Timer:
        text += "ended by the timer";
        break;
      default:
        text += "ended with the run";
        break;
    }
    if (first > 0) text += ", first " + std::to_string(first) + " samples lost";
    if (!program_.empty()) text += ", program " + program_;
    text += kLineEnd;
    const std::uint64_t start = At(first).ms;
    for (std::size_t i = first; i < pushed_; ++i) {
      const Sample& s = At(i);
      text += std::to_string(s.ms - start) + ' ' + std::to_string(s.at.x) + ' ' +
              std::to_string(s.at.y);
      text += kLineEnd;
    }
    return text;
  }

  MainWindow& window_;
  const SystemPath path_;
  std::array<Sample, kTraceRingSize> ring_{};
  std::size_t pushed_ = 0;  // passes of the attempt so far, kept or not
  bool open_ = false;
  Ending ending_ = Ending::None;  // set: the attempt has ended and waits to be written
  int firedRow_ = 0;
  platform::LocalTime began_;
  const char* mode_ = "";
  // The program in front as the attempt began; taken inside a pass, into room made beforehand.
  static constexpr std::size_t kProgramRoom = 1024;
  std::string program_;
  std::uint64_t anchorMs_ = 0;  // when the anchor was taken
  bool refusalShown_ = false;
};

}  // namespace

void StartAttemptTrace(MainWindow& window, const std::string& setting) {
  if (setting.empty()) return;
  window.watchers.push_back(std::make_unique<AttemptTrace>(window, TracePath(setting)));
}

}  // namespace vetrix
