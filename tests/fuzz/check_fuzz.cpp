// Any gesture.ini through vetrix-check's analysis and a short replay: it never fails, reports
// every loaded gesture once, in row order, errors before warnings, and an exit status it
// documents. From a line starting with "# attempt " on, the input is a recorded trace instead,
// whose attempts are replayed and explained: one report per attempt, the nearest miss a loaded
// gesture that followed some of its strokes.
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "check/analysis.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// A replay costs a pass per 10 ms of the trace: longer attempts add time, not coverage.
constexpr std::uint64_t kLongestAttemptMs = 5000;
constexpr std::size_t kMostAttempts = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vetrix::check;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t mark = input.starts_with("# attempt ") ? 0 : input.find("\n# attempt ");
  const std::string ini = input.substr(0, mark);
  Report report;
  std::vector<Attempt> attempts;
  bool traced = false;
  if (mark != std::string::npos) {
    try {
      attempts = ParseAttempts(input.substr(mark));
      traced = true;
    } catch (const std::runtime_error&) {
    }
    if (attempts.size() > kMostAttempts) attempts.resize(kMostAttempts);
    for (Attempt& a : attempts)
      if (!a.samples.empty() && a.samples.back().at - a.samples.front().at > kLongestAttemptMs)
        a.samples.clear();
  }
  if (traced) {
    report = Analyse(ini, nullptr, attempts);
  } else {
    // Right, then up, then left: the strokes most files start with.
    const std::vector<vetrix::fake::World::Sample> track{
        {0, {500, 400}}, {10, {530, 400}}, {20, {530, 370}}, {30, {500, 370}}};
    report = Analyse(ini, nullptr, &track);
  }
  const int gestures = static_cast<int>(report.gestures.size());
  Check(gestures <= vetrix::kMaxGestures);
  for (int i = 0; i < gestures; ++i) Check(report.gestures[i].row == i);
  for (std::size_t i = 1; i < report.problems.size(); ++i)
    Check(report.problems[i - 1].severity <= report.problems[i].severity);
  const int status = ExitStatus(report);
  Check(status >= 0 && status <= 2);
  for (const FiredRow& f : report.fires) Check(f.row >= 0 && f.row < gestures);
  Check(report.attempts.size() == attempts.size());
  for (const AttemptReport& a : report.attempts) {
    Check(a.samples > 0 || (a.fires.empty() && !a.miss && a.explanation.empty()));
    Check(a.explanation.empty() == (a.samples == 0 || (!a.fires.empty() && !a.miss)));
    if (a.miss) {
      const auto& angles = report.gestures[static_cast<std::size_t>(a.miss->row)].angles;
      Check(a.miss->row >= 0 && a.miss->row < gestures);
      Check(a.miss->followed > 0 && a.miss->followed <= a.miss->strokes);
      Check(a.miss->strokes == static_cast<int>(angles.size()));
      Check(!a.miss->wantsAny ||
            a.miss->wants == angles[static_cast<std::size_t>(a.miss->followed)]);
    }
    Check(a.strokes.size() <= static_cast<std::size_t>(vetrix::kMaxStrokes));
    // What a recording would make of the movement is said exactly where nothing fired, in the
    // replay or as recorded (an ending the program writes, not any text that starts like one),
    // and there were strokes to say it of.
    const bool fired =
        !a.fires.empty() || (a.header && a.header->end == AttemptHeader::End::kFired);
    Check(a.strokesText.empty() == (a.strokes.empty() || fired));
  }
  return 0;
}
