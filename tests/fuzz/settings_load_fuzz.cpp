// Any gesture.ini: the program comes up, the table and the lists stay within 101 entries and
// in step, and the editing writers that follow keep them in step.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

const std::string& Folder() {
  static const std::string folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("vetrix-load-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

void CheckInStep(const vetrix::MainWindow& f) {
  const auto& t = f.state.table;
  Check(t.gestureCount >= 0 && t.gestureCount <= vetrix::kMaxGestures);
  Check(f.gestureList.RowCount() == t.gestureCount && f.actionList.RowCount() == t.gestureCount);
  for (int i = 0; i < t.gestureCount; ++i)
    Check(t.segmentCount[i] >= 0 && t.segmentCount[i] <= vetrix::kMaxSegments);
  Check(f.savedCommandBox.ItemCount() == static_cast<int>(f.savedCommandKeys.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vetrix;
  std::ofstream(Folder() + "/gesture.ini", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  fake::ResetWorld();
  fake::TheWorld().currentDirectory = Folder();
  fake::TheWorld().executablePath = Folder() + "/vetrix.exe";
  fake::TheWorld().timeLimitMs = 1000;
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
  return 0;
}
