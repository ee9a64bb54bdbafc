#include "check/loaded_program.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/handler.h"
#include "recognition/recognition.h"
#include "shell/bindings.h"
#include "shell/layout.h"
#include "shell/startup.h"
#include "store/settings_file.h"

namespace vetrix::check {
namespace {

constexpr const char* kFolder = "/checked";
// A pass every 10 ms sees the last sample within this time; one more pass ends the run.
constexpr std::uint64_t kAfterLastSampleMs = 10;
constexpr std::uint64_t kRunawayMs = 60 * 1000;

}  // namespace

LoadedProgram::LoadedProgram(const std::string& iniBytes) {
  fake::ResetWorld();
  fake::World& w = fake::TheWorld();
  w.currentDirectory = kFolder;
  w.executablePath = std::string(kFolder) + "/vetrix.exe";
  w.PutFile(kSettingsName, iniBytes);
  window_ = std::make_unique<MainWindow>();
  BindHandlers(*window_);
  Watch(*window_,
        std::make_unique<FiringWatcher>([this](const Firing& f) { firings_.push_back(f); }));
  // As the program's entry does: an error ends the step and is shown, start-up goes on.
  platform::RunHandler([&] { OnCreate(*window_); });
  platform::RunHandler([&] { OnResize(*window_); });
}

LoadedProgram::~LoadedProgram() {
  window_.reset();
  fake::ResetWorld();
}

std::vector<Firing> LoadedProgram::Recognise(const std::vector<fake::World::Sample>& track) {
  firings_.clear();
  if (track.empty()) return {};
  fake::World& w = fake::TheWorld();
  MainWindow& window = *window_;
  // A later run starts where the clock stands; its firings are told on the track's own clock.
  const std::uint64_t shift = w.now > track.front().at ? w.now - track.front().at : 0;
  std::vector<fake::World::Sample> shifted = track;
  for (auto& sample : shifted) sample.at += shift;
  const std::uint64_t end = shifted.back().at + kAfterLastSampleMs;
  w.now = shifted.front().at;
  // The loop ends well before this; a script's waits after the last firing may run past it.
  w.timeLimitMs = end + kRunawayMs;
  w.FollowTrack(std::move(shifted));
  // As at the start of a run: nothing a former run began or timed is still going on.
  DropMatchingAttempts(window);
  // Continuous: not the one gesture of hot-key mode.
  window.state.oneShot = false;
  // The click below turns recognition on, also after a run that a runaway loop cut short.
  window.state.stopped = true;
  w.At(end, [&] { window.state.stopped = true; });
  try {
    platform::RunHandler([&] { window.startButton.Click(); });
  } catch (const fake::RunawayLoop&) {
  }
  for (Firing& f : firings_) f.ms -= shift;
  return std::move(firings_);
}

}  // namespace vetrix::check
