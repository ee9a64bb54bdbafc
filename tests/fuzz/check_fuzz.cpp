// Any gesture.ini through vetrix-check's analysis and a short replay: it never fails, reports
// every loaded gesture once, in row order, errors before warnings, and an exit status it
// documents.
#include <cstdlib>
#include <string>

#include "check/analysis.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vetrix::check;
  const std::string ini(reinterpret_cast<const char*>(data), size);
  // Right, then up, then left: the strokes most files start with.
  const std::vector<vetrix::fake::World::Sample> track{
      {0, {500, 400}}, {10, {530, 400}}, {20, {530, 370}}, {30, {500, 370}}};
  const Report report = Analyse(ini, nullptr, &track);
  Check(report.gestures.size() <= static_cast<std::size_t>(vetrix::kMaxGestures));
  for (std::size_t i = 0; i < report.gestures.size(); ++i)
    Check(report.gestures[i].row == static_cast<int>(i));
  for (std::size_t i = 1; i < report.problems.size(); ++i)
    Check(report.problems[i - 1].severity <= report.problems[i].severity);
  const int status = ExitStatus(report);
  Check(status >= 0 && status <= 2);
  for (const FiredRow& f : report.fires)
    Check(f.row >= 0 && f.row < static_cast<int>(report.gestures.size()));
  return 0;
}
