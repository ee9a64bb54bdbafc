// Any gesture.ini: the program comes up, the table and the lists stay within 101 entries and
// in step, and the editing writers that follow keep them in step.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/dispatch.h"
#include "platform/fake/world.h"
#include "shell/form_create.h"
#include "shell/main_form.h"
#include "store/settings.h"

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

void CheckInStep(const vetrix::MainForm& f) {
  const auto& t = f.s.table;
  Check(t.GestureCount >= 0 && t.GestureCount <= vetrix::kMaxGestures);
  Check(f.List1.RowCount() == t.GestureCount && f.List2.RowCount() == t.GestureCount);
  for (int i = 0; i < t.GestureCount; ++i)
    Check(t.SegmentCount[i] >= 0 && t.SegmentCount[i] <= vetrix::kMaxSegments);
  Check(f.MSL.ItemCount() == static_cast<int>(f.savedCommandKeys.size()));
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
  MainForm form;
  FormCreate(form);
  CheckInStep(form);

  // The writers never run while an error is pending in the real program, so each one that
  // raises ends its own step here too.
  auto attempt = [&](auto&& step) {
    try {
      step();
    } catch (const Error&) {
    }
    CheckInStep(form);
  };
  if (form.s.table.GestureCount > 0) {
    form.List1.Select(form.s.table.GestureCount / 2);
    attempt([&] { form.Button3.Click(); });
  }
  form.MSL.SetText("*x;/mn;");
  attempt([&] { form.Button5.Click(); });
  if (form.MSL.ItemCount() > 0) {
    form.MSL.Select(0);
    attempt([&] { form.Button6.Click(); });
  }
  return 0;
}
