// One fixture for tests that drive the handlers: a fresh fake world and a fresh main window.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>

#include "platform/fake/world.h"
#include "shell/main_form.h"

namespace vetrix::testing {

class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    fake::ResetWorld();
    form_ = std::make_unique<MainForm>();
  }

  MainForm& form() { return *form_; }
  SharedState& state() { return form_->s; }
  GestureTable& table() { return form_->s.table; }
  fake::World& world() { return fake::TheWorld(); }

  // Appends a gesture with its list rows, as loading does.
  int AddGesture(std::initializer_list<int> angles, const std::string& action) {
    GestureTable& t = table();
    const int i = t.GestureCount++;
    int k = 0;
    for (int a : angles) t.Angles[i][k++] = a;
    t.SegmentCount[i] = k;
    t.Action[i] = action;
    form_->List1.AddRow(std::to_string(i));
    form_->List2.AddRow(action);
    return i;
  }

 private:
  std::unique_ptr<MainForm> form_;
};

// A fresh form whose current folder ("work") and program folder ("program") are real,
// empty temporary folders, for tests that read and write gesture.ini.
class FileTest : public FormTest {
 protected:
  FileTest() {
    root_ = std::filesystem::temp_directory_path() /
            ("vetrix-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "work");
    std::filesystem::create_directories(root_ / "program");
    PointWorldAtFolders();
  }
  ~FileTest() override { std::filesystem::remove_all(root_); }

  // After fake::ResetWorld, the new world must be told the folders again.
  void PointWorldAtFolders() {
    world().currentDirectory = (root_ / "work").string();
    world().executablePath = (root_ / "program" / "vetrix.exe").string();
  }
  std::filesystem::path Ini(const char* folder = "work") { return root_ / folder / "gesture.ini"; }
  void WriteIni(const std::string& text) { std::ofstream(Ini(), std::ios::binary) << text; }
  std::string ReadIni(const char* folder = "work") {
    std::ifstream in(Ini(folder), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path root_;
};

}  // namespace vetrix::testing
