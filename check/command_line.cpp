#include "check/command_line.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "base/path.h"
#include "check/analysis.h"
#include "check/inputs.h"
#include "check/pictures.h"
#include "check/png_file.h"
#include "check/report_output.h"

namespace vetrix::check {
namespace {

// Read only, never written: the checker leaves FILE as it found it.
std::optional<std::string> ReadWhole(const std::string& path, std::string& why) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    why = "it is a folder";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = std::strerror(errno);
    return std::nullopt;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    why = "read error";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

int RunCheck(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app(
      "Explains a Vetrix gesture file without running the program: its gestures, the "
      "problems the program would show or hide, and what a recorded pointer trace would "
      "fire.",
      "vetrix-check");
  bool json = false;
  std::string drawFolder, tracePath, program, file = "gesture.ini";
  app.add_flag("--json", json, "print one JSON document");
  app.add_option("--draw", drawFolder,
                 "draw every gesture as DIR/gesture-<row>.png and, with --replay, every "
                 "attempt's path over its gesture as DIR/attempt-<n>.png")
      ->type_name("DIR");
  app.add_option("--replay", tracePath,
                 "run recognition over a pointer trace, one \"milliseconds x y\" per line, "
                 "and explain each attempt the program recorded in it")
      ->type_name("TRACE");
  app.add_option("--program", program,
                 "with --replay: explain every attempt as if NAME were the program in front, "
                 "whatever the trace recorded")
      ->type_name("NAME");
  app.add_option("FILE", file, "the gesture file (default: gesture.ini here)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? 0 : kUnusableInput;
  }
  if (!drawFolder.empty() && !PngAvailable()) {
    err << "vetrix-check: --draw is not available: this build has no PNG library\n";
    return kUnusableInput;
  }

  std::string why;
  const std::optional<std::string> ini = ReadWhole(file, why);
  if (!ini) {
    err << "vetrix-check: cannot read " << file << ": " << why << "\n";
    return kUnusableInput;
  }
  std::vector<Attempt> attempts;
  if (!tracePath.empty()) {
    const std::optional<std::string> trace = ReadWhole(tracePath, why);
    if (!trace) {
      err << "vetrix-check: cannot read " << tracePath << ": " << why << "\n";
      return kUnusableInput;
    }
    try {
      attempts = ParseAttempts(*trace);
      if (!program.empty())
        for (Attempt& a : attempts) a.program = Cp1251FromUtf8Lossy(program);
    } catch (const std::runtime_error& e) {
      err << "vetrix-check: " << tracePath << ", " << e.what() << "\n";
      return kUnusableInput;
    }
  }

  const Report report = tracePath.empty() ? Analyse(*ini, ActionFileExists)
                                          : Analyse(*ini, ActionFileExists, attempts);
  std::vector<std::filesystem::path> pictures;
  if (!drawFolder.empty()) {
    try {
      pictures = DrawGestures(*ini, drawFolder);
      for (auto& picture : DrawAttempts(*ini, attempts, report.attempts, drawFolder))
        pictures.push_back(std::move(picture));
    } catch (const std::exception& e) {
      err << "vetrix-check: " << e.what() << "\n";
      return kUnusableInput;
    }
  }

  if (json) {
    PrintJson(out, report);
  } else {
    PrintText(out, file, report, !tracePath.empty());
    if (!drawFolder.empty())
      out << "\npictures: " << pictures.size() << " in " << drawFolder << "\n";
  }
  return ExitStatus(report);
}

}  // namespace vetrix::check
