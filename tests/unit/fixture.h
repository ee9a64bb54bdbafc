// One fixture for tests that drive the handlers: a fresh fake world and a fresh main window.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>

#include "platform/fake/world.h"
#include "shell/bindings.h"
#include "window/main_window.h"

namespace vetrix::fake {

inline void PrintTo(const World::ProfileWrite& w, std::ostream* os) {
  *os << "[" << w.section << "] " << w.key << (w.value ? "=" + *w.value : " deleted");
}

}  // namespace vetrix::fake

namespace vetrix::testing {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() { Restart(); }

  // A fresh fake world and a fresh main window, as at the start of a test; or a fresh window in
  // the world as it is (its monitors, say).
  void Restart(bool keepWorld = false) {
    window_.reset();
    if (!keepWorld) fake::ResetWorld();
    window_ = std::make_unique<MainWindow>();
    BindHandlers(*window_);
  }

  MainWindow& window() { return *window_; }
  SharedState& state() { return window_->state; }
  GestureTable& table() { return window_->state.table; }
  fake::World& world() { return fake::TheWorld(); }

  // Appends a gesture with its list rows, as loading does.
  int AddGesture(std::initializer_list<int> angles, const std::string& action) {
    GestureTable& t = table();
    const int i = t.gestureCount++;
    int k = 0;
    for (int a : angles) t.angles[i][k++] = a;
    t.strokeCount[i] = k;
    t.action[i] = action;
    window_->gestureList.AddRow(std::to_string(i));
    window_->actionList.AddRow(action);
    return i;
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

// A fresh window whose current folder ("work") and program folder ("program") hold no files
// yet, for tests that read and write gesture.ini in the fake world's memory.
class FileTest : public WindowTest {
 protected:
  FileTest() { PointWorldAtFolders(); }

  // After fake::ResetWorld, the new world must be told the folders again.
  void PointWorldAtFolders() {
    world().currentDirectory = (root_ / "work").string();
    world().executablePath = (root_ / "program" / "vetrix.exe").string();
  }
  std::string Ini(const char* folder = "work") { return (root_ / folder / "gesture.ini").string(); }
  bool IniExists(const char* folder = "work") { return world().FileBytes(Ini(folder)) != nullptr; }
  void WriteIni(const std::string& text) { world().PutFile(Ini(), text); }
  std::string ReadIni(const char* folder = "work") {
    const std::string* bytes = world().FileBytes(Ini(folder));
    return bytes ? *bytes : std::string();
  }

  const std::filesystem::path root_ = "/Vetrix";
};

}  // namespace vetrix::testing
