// Any gesture.ini: the program comes up, the table and the lists stay within 101 entries and
// in step, and the editing writers that follow keep them in step.
#include <cstdlib>
#include <string>

#include "platform/fake/world.h"
#include "platform/handler.h"
#include "shell/bindings.h"
#include "shell/startup.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckInStep(const vetrix::MainWindow& f) {
  const auto& t = f.state.table;
  Check(t.gestureCount >= 0 && t.gestureCount <= vetrix::kMaxGestures);
  Check(f.gestureList.RowCount() == t.gestureCount && f.actionList.RowCount() == t.gestureCount);
  for (int i = 0; i < t.gestureCount; ++i)
    Check(t.strokeCount[i] >= 0 && t.strokeCount[i] <= vetrix::kMaxStrokes);
  Check(f.savedCommandBox.ItemCount() == static_cast<int>(f.savedCommandKeys.size()));
  Check(f.state.pauseRules.programs.size() <= vetrix::kMaxExcludedPrograms);
  for (const std::string& program : f.state.pauseRules.programs)
    Check(!program.empty() && program.size() <= vetrix::kMaxProgramNameLength);
  // Per-program actions: the first programs only, rows inside the table, ascending, once each.
  Check(f.state.programActions.size() <= vetrix::kMaxActionPrograms);
  for (const vetrix::ProgramActions& p : f.state.programActions) {
    int last = -1;
    for (const vetrix::ProgramAction& a : p.actions) {
      Check(a.row > last && a.row < vetrix::kMaxGestures);
      last = a.row;
    }
  }
}

void LoadAndEdit(const std::string& ini) {
  using namespace vetrix;
  fake::World& world = fake::TheWorld();
  world.currentDirectory = "/work";
  world.executablePath = "/program/vetrix.exe";
  world.timeLimitMs = 1000;
  world.PutFile("gesture.ini", ini);
  MainWindow window;
  BindHandlers(window);
  OnCreate(window);
  CheckInStep(window);

  // The writers never run while an error is pending in the real program, so each one that
  // raises ends its own step here too.
  auto attempt = [&](auto&& step) {
    try {
      step();
    } catch (const Error&) {
    }
    CheckInStep(window);
  };
  if (window.state.table.gestureCount > 0) {
    window.gestureList.Select(window.state.table.gestureCount / 2);
    attempt([&] { window.deleteGestureButton.Click(); });
  }
  window.savedCommandBox.SetText("*x;/mn;");
  attempt([&] { window.addCommandButton.Click(); });
  if (window.savedCommandBox.ItemCount() > 0) {
    window.savedCommandBox.Select(0);
    attempt([&] { window.deleteCommandButton.Click(); });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vetrix::fake::ResetWorld();
  LoadAndEdit(std::string(reinterpret_cast<const char*>(data), size));
  // Nothing of one input outlives it, so that more allocations than frees mean a leak: libFuzzer
  // then runs the input again to look for one.
  vetrix::fake::ResetWorld();
  return 0;
}
