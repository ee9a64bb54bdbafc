// What vetrix-check says about a gesture file: the gestures as the program loads them, the
// saved command lines, and the problems found by running the program's own start-up and
// recognition over it. Texts are UTF-8 (the file's are code page 1251).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "check/attempts.h"
#include "check/inputs.h"
#include "check/loaded_program.h"

namespace vetrix::check {

// A gesture's action of its own in one program; an empty action does nothing there.
struct OwnAction {
  std::string program;
  std::string action;  // as the file holds it
  std::string shown;   // as the action list would show it
};

struct GestureRow {
  int row;
  std::string key;  // its angle list's key in [Main]
  std::vector<std::int32_t> angles;
  std::string action;          // as the file holds it
  std::string shown;           // as the action list shows it
  std::vector<OwnAction> own;  // in the order of the programs' sections
};

struct SavedCommand {
  int key;
  std::string text;
};

// An error is what the program itself shows at start-up; everything else is a warning.
enum class Severity { Error, Warning };

struct Problem {
  std::string key;
  Severity severity;
  std::string message;
};

struct FiredRow {
  std::uint64_t ms;
  int row;
  std::string action;
  int attempt = 1;  // of a trace, from 1
};

struct Report {
  std::vector<GestureRow> gestures;
  std::vector<SavedCommand> commands;
  // Where recognition pauses: the programs of [Exclude] as read, and "PauseFullscreen".
  std::vector<std::string> excluded;
  bool pauseFullscreen = false;
  // Where the program records its attempts ("TraceFile"); empty: nowhere.
  std::string traceFile;
  // What a triggered run shows: "Trail" and "Tip", as the program read them.
  bool trail = true;
  bool tip = true;
  std::vector<Problem> problems;  // errors first
  std::vector<FiredRow> fires;    // of a replay, of every attempt
  std::vector<AttemptReport> attempts;
};

// Whether an action's file exists; nothing where that cannot be told on this system.
using FileProbe = std::function<std::optional<bool>(const std::string& cp1251Path)>;

// With a track, the report's fires are those of Replay, found on the analysis's own start-up.
Report Analyse(const std::string& iniBytes, const FileProbe& probe,
               const std::vector<fake::World::Sample>* track = nullptr);
// With a trace's attempts: each replayed and explained, and their fires the report's.
Report Analyse(const std::string& iniBytes, const FileProbe& probe,
               const std::vector<Attempt>& attempts);
// 0 no problem, 1 warnings only, 2 an error the program reports at start-up.
int ExitStatus(const Report& report);

// The path a gesture's ideal drawing takes: from `origin`, one counted movement per stroke at
// the stroke's own angle, 25 pixels long, 10 ms apart.
std::vector<fake::World::Sample> IdealPath(const std::vector<std::int32_t>& angles, Point origin);

// The rows that fire while the pointer follows the track; their actions are not run.
std::vector<FiredRow> Replay(const std::string& iniBytes,
                             const std::vector<fake::World::Sample>& track);

}  // namespace vetrix::check
