#include "recognition/pause.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "base/path.h"
#include "base/texts.h"
#include "recognition/mouse_trigger.h"
#include "recognition/recognition.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

bool Covers(const Rect& window, const Rect& monitor) {
  if (monitor.width <= 0 || monitor.height <= 0) return false;
  const auto end = [](std::int32_t start, std::int32_t length) {
    return static_cast<std::int64_t>(start) + length;
  };
  return window.left <= monitor.left && window.top <= monitor.top &&
         end(window.left, window.width) >= end(monitor.left, monitor.width) &&
         end(window.top, window.height) >= end(monitor.top, monitor.height);
}

std::string PauseTip(const std::string& program) {
  std::string tip = texts::kPausedTip.str();
  if (!program.empty()) tip += " (" + program + ")";
  return tip;
}

}  // namespace

std::optional<std::string> PauseReason(const PauseRules& rules,
                                       const platform::ForegroundWindow& front) {
  if (!front.program.empty()) {
    for (const std::string& program : rules.programs)
      if (SameFileName(program, front.program)) return front.program;
  }
  if (rules.fullscreen && !front.shell && Covers(front.bounds, front.monitor)) return front.program;
  return std::nullopt;
}

void FollowForeground(MainWindow& window) {
  if (window.state.pauseRules.Empty()) return;
  platform::WatchForeground([&window] { OnForegroundChanged(window); },
                            window.state.pauseRules.fullscreen);
  OnForegroundChanged(window);
}

void OnForegroundChanged(MainWindow& window) {
  SharedState& s = window.state;
  const std::optional<std::string> reason = PauseReason(s.pauseRules, platform::Foreground());
  if (reason.has_value() == s.paused && reason.value_or("") == s.pausedFor) return;
  const bool pausing = reason && !s.paused;
  s.paused = reason.has_value();
  s.pausedFor = reason.value_or("");
  window.trayIcon.SetTip(s.paused ? PauseTip(s.pausedFor) : window.unpausedTip);
  UpdateMouseTrigger(window);
  if (!pausing) return;
  DropMatchingAttempts(window);
  // The hook library no longer reports the button, so its release could not end the run.
  StopButtonRun(window);
}

void SetUnpausedTip(MainWindow& window, std::string tip) {
  window.unpausedTip = std::move(tip);
  if (!window.state.paused) window.trayIcon.SetTip(window.unpausedTip);
}

}  // namespace vetrix
