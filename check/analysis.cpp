#include "check/analysis.h"

#include <algorithm>
#include <charconv>

#include "base/ascii.h"
#include "base/error.h"
#include "base/path.h"
#include "capture/direction.h"
#include "store/angle_list.h"
#include "store/program_actions.h"
#include "store/script_field.h"
#include "store/settings.h"
#include "store/settings_file.h"

namespace vetrix::check {
namespace {

constexpr std::int32_t kIdealStrokeLength = 25;
constexpr std::uint64_t kIdealStrokeMs = 10;
// Where every ideal path starts: far enough from the screen's edges for any gesture to matter
// nothing, since recognition looks only at movements.
constexpr Point kIdealOrigin{512, 384};

std::string Row(int i) { return "row " + std::to_string(i); }
std::string Quoted(std::string_view cp1251) { return "\"" + Utf8FromCp1251(cp1251) + "\""; }

// A key named by a plain decimal number, as the program writes them ("7", never "07").
std::optional<int> DecimalName(std::string_view name) {
  if (name.empty() || (name.size() > 1 && name[0] == '0')) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value);
  if (error != std::errc() || end != name.data() + name.size() || value < 0) return std::nullopt;
  return value;
}

std::optional<int> ActionKeyIndex(std::string_view name) {
  if (name.empty() || (name[0] != 'a' && name[0] != 'A')) return std::nullopt;
  return DecimalName(name.substr(1));
}

class Problems {
 public:
  void Error(std::string key, std::string message) {
    list_.push_back({std::move(key), Severity::Error, std::move(message)});
  }
  void Warning(std::string key, std::string message) {
    list_.push_back({std::move(key), Severity::Warning, std::move(message)});
  }
  std::vector<Problem> Sorted() && {
    const auto bySeverity = [](const Problem& a, const Problem& b) {
      return a.severity < b.severity;
    };
    // The sort takes a buffer of its own, which a list in order does without.
    if (!std::is_sorted(list_.begin(), list_.end(), bySeverity))
      std::stable_sort(list_.begin(), list_.end(), bySeverity);
    return std::move(list_);
  }

 private:
  std::vector<Problem> list_;
};

struct BrokenList {
  int row;
  std::string message;  // code page 1251, as the program shows it
};

// The angle lists that stop loading, found again with the program's own parser: the program
// names none of them in its message.
std::vector<BrokenList> BrokenLists(const SettingsFile& file, const GestureTable& t) {
  std::vector<BrokenList> broken;
  std::int32_t scratch[kAngleRowSize];
  std::int32_t count = 0;
  for (int i = 0; i < TableSize(t); ++i) {
    // A list the program took has a stroke at least; one that stopped loading left none.
    if (t.strokeCount[i] != 0) continue;
    const std::string text = file.ReadString(kMain, AngleListKey(i));
    if (text.empty()) continue;
    try {
      ParseAngleList(text, scratch, count);
    } catch (const vetrix::Error& e) {
      broken.push_back({i, e.what()});
    }
  }
  return broken;
}

// What the program shows while it starts: the default error box for a scale that is no number
// (shown first, by the options) and for the first broken angle list (last, by the gestures), the
// message box for a hot key that cannot be registered.
void StartUpErrors(const LoadedProgram& program, const std::vector<BrokenList>& broken,
                   Problems& problems) {
  std::vector<std::string> boxes = program.world().errorBoxes;
  const bool gestureBox =
      !broken.empty() && !boxes.empty() && boxes.back() == broken.front().message;
  if (gestureBox) boxes.pop_back();
  for (const std::string& box : boxes) problems.Error("Scale", Utf8FromCp1251(box));
  if (gestureBox)
    problems.Error(AngleListKey(broken.front().row), Utf8FromCp1251(broken.front().message));
  for (std::size_t k = 1; k < broken.size(); ++k)
    problems.Warning(AngleListKey(broken[k].row),
                     Utf8FromCp1251(broken[k].message) + ": " + Row(broken[k].row) +
                         " has no strokes (the program reports only the first broken list)");
  for (const auto& box : program.world().messageBoxes)
    problems.Error("Hotkey", Utf8FromCp1251(box.text));
}

void HotKeyWithoutKey(MainWindow& window, const SettingsFile& file, Problems& problems) {
  if (!window.hotKeyModeBox.Checked() || window.hotKeyField.Code() != 0) return;
  problems.Warning("Hotkey", "hot-key mode is on, but " + Quoted(file.ReadString(kMain, "Hotkey")) +
                                 " names no key: the program says nothing, and no key starts "
                                 "recognition");
}

void StaleKeys(const SettingsFile& file, const GestureTable& t, Problems& problems) {
  const int count = TableSize(t);
  const std::int32_t num = file.ReadInteger(kMain, "Num", 0);
  const std::string numText = "\"Num\" is " + std::to_string(num);
  if (num > kMaxGestures)
    problems.Warning("Num", numText + ": the program loads only the first " +
                                std::to_string(kMaxGestures) + " gestures");
  for (const std::string& name : file.KeyNames(kMain)) {
    if (const auto i = ActionKeyIndex(name); i && *i >= count) {
      problems.Warning(name, "action key " + name + " belongs to no gesture (" + numText +
                                 "): nothing uses it; the program deletes it once a recording "
                                 "makes " +
                                 Row(*i));
    } else if (const auto k = DecimalName(name); k && *k > count) {
      problems.Warning(name, "angle list " + name + " lies past the gestures the program loads (" +
                                 numText + "): it is never loaded");
    }
  }
  const std::int32_t shown = file.ReadInteger(kMessages, "NumOfMessages", 0);
  for (const std::string& name : file.KeyNames(kMessages))
    if (const auto k = DecimalName(name); k && *k > std::max(shown, 0))
      problems.Warning("[Messages] " + name, "saved command line " + name +
                                                 " is hidden: \"NumOfMessages\" is " +
                                                 std::to_string(shown));
}

// The program sections as the program reads them: what it leaves unused.
void ProgramSectionProblems(const SettingsFile& file, int count, Problems& problems) {
  std::vector<std::string> programs;
  std::size_t sections = 0;
  for (const std::string& section : file.SectionNames()) {
    if (!EqualsIgnoringAsciiCase(section.substr(0, kProgramSectionPrefix.size()),
                                 kProgramSectionPrefix))
      continue;
    const std::string name = "[" + Utf8FromCp1251(section) + "]";
    const std::optional<std::string> program = ProgramOfSection(section);
    if (!program) {
      problems.Warning(name, "section " + name + " names no program: nothing uses it");
      continue;
    }
    if (++sections > kMaxActionPrograms) {
      problems.Warning(name, "the program reads only the first " +
                                 std::to_string(kMaxActionPrograms) +
                                 " program sections: this one and every later one are unused");
      return;
    }
    if (std::any_of(programs.begin(), programs.end(),
                    [&](const std::string& p) { return SameFileName(p, *program); })) {
      problems.Warning(
          name, "a second section for " + Quoted(*program) + ": the program uses only the first");
      continue;
    }
    programs.push_back(*program);
    for (const std::string& key : file.KeyNames(section)) {
      const std::optional<int> row = ActionKeyRow(key);
      if (!row || *row >= count)
        problems.Warning(name + " " + Utf8FromCp1251(key),
                         "key " + Quoted(key) + " of " + name +
                             " names no gesture (it must be \"a\" and a row from 0 to " +
                             std::to_string(count - 1) + "): nothing uses it");
    }
  }
}

// A gesture without an action of its own that some program gives one: drawn with that program
// in front, as there it fires.
const ProgramActions* FiringProgram(const SharedState& s, int row) {
  for (const ProgramActions& p : s.programActions)
    if (const std::string* own = p.Find(row); own && !own->empty()) return &p;
  return nullptr;
}

// Each gesture drawn ideally from a fresh start: another gesture that fires first, or none at
// all, means this one never fires however well it is drawn.
void LosingGestures(LoadedProgram& program, const std::vector<BrokenList>& broken,
                    Problems& problems) {
  const GestureTable& t = program.window().state.table;
  for (int i = 0; i < TableSize(t); ++i) {
    if (std::any_of(broken.begin(), broken.end(), [i](const BrokenList& b) { return b.row == i; }))
      continue;
    if (ReadableStrokeCount(t, i) == 0) {
      problems.Warning(AngleListKey(i), Row(i) + " has no strokes: it never fires");
      continue;
    }
    const ProgramActions* where =
        t.action[i].empty() ? FiringProgram(program.window().state, i) : nullptr;
    if (t.action[i].empty() && !where) {
      problems.Warning(ActionKey(i), Row(i) + " has no action: it never fires");
      continue;
    }
    fake::TheWorld().foreground.program = where ? where->program : "";
    const std::vector<std::int32_t> angles(t.angles[i], t.angles[i] + ReadableStrokeCount(t, i));
    const std::vector<Firing> firings = program.Recognise(IdealPath(angles, kIdealOrigin));
    if (!firings.empty() && firings.front().row == i) continue;
    const std::string lead = Row(i) + " never fires when drawn exactly: ";
    if (firings.empty()) {
      problems.Warning(AngleListKey(i), lead + "no gesture fires on its path");
    } else {
      const Firing& f = firings.front();
      problems.Warning(AngleListKey(i), lead + Row(f.row) + " fires first, at stroke " +
                                            std::to_string(f.ms / kIdealStrokeMs) + " of " +
                                            std::to_string(angles.size()));
    }
  }
}

void MissingFiles(const GestureTable& t, const FileProbe& probe, Problems& problems) {
  if (!probe) return;
  for (int i = 0; i < TableSize(t); ++i) {
    const std::string& action = t.action[i];
    if (action.empty() || action[0] == '*') continue;
    if (probe(action) == false)
      problems.Warning(ActionKey(i),
                       Row(i) + " opens " + Quoted(action) + ", which does not exist");
  }
}

}  // namespace

std::vector<fake::World::Sample> IdealPath(const std::vector<std::int32_t>& angles, Point origin) {
  std::vector<fake::World::Sample> path{{0, origin}};
  for (std::int32_t angle : angles)
    path.push_back({path.back().at + kIdealStrokeMs,
                    Moved(path.back().to, DirectionOffset(angle, kIdealStrokeLength))});
  return path;
}

namespace {

std::vector<FiredRow> Fires(LoadedProgram& program, const std::vector<fake::World::Sample>& track) {
  std::vector<FiredRow> fires;
  for (const Firing& f : program.Recognise(track))
    fires.push_back({f.ms, f.row, Utf8FromCp1251(f.action)});
  return fires;
}

}  // namespace

namespace {

Report Analysed(const std::string& iniBytes, const FileProbe& probe,
                const std::vector<fake::World::Sample>* track,
                const std::vector<Attempt>* attempts) {
  Report report;
  Problems problems;
  // One start-up serves every check: each run of recognition below starts as a fresh one does,
  // and nothing else of the program changes once it has started.
  LoadedProgram program(iniBytes);
  MainWindow& window = program.window();
  const GestureTable& table = window.state.table;
  report.gestures.reserve(static_cast<std::size_t>(TableSize(table)));
  for (int i = 0; i < TableSize(table); ++i) {
    const int n = ReadableStrokeCount(table, i);
    report.gestures.push_back({i,
                               AngleListKey(i),
                               std::vector<std::int32_t>(table.angles[i], table.angles[i] + n),
                               Utf8FromCp1251(table.action[i]),
                               Utf8FromCp1251(window.actionList.RowText(i)),
                               {}});
    for (const ProgramActions& p : window.state.programActions)
      if (const std::string* own = p.Find(i))
        report.gestures.back().own.push_back({Utf8FromCp1251(p.program), Utf8FromCp1251(*own),
                                              Utf8FromCp1251(ActionDisplayName(*own))});
  }
  for (std::size_t k = 0; k < window.savedCommandKeys.size(); ++k)
    report.commands.push_back(
        {window.savedCommandKeys[k],
         Utf8FromCp1251(window.savedCommandBox.ItemText(static_cast<int>(k)))});
  for (const std::string& name : window.state.pauseRules.programs)
    report.excluded.push_back(Utf8FromCp1251(name));
  report.pauseFullscreen = window.state.pauseRules.fullscreen;
  report.trail = window.state.feedback.trail;
  report.tip = window.state.feedback.tip;
  const SettingsFile file = SettingsFile::Snapshot(kSettingsName);
  report.traceFile = Utf8FromCp1251(file.ReadString(kMain, "TraceFile"));
  const std::vector<BrokenList> broken = BrokenLists(file, table);
  StartUpErrors(program, broken, problems);
  HotKeyWithoutKey(window, file, problems);
  StaleKeys(file, table, problems);
  ProgramSectionProblems(file, TableSize(table), problems);
  if (track) report.fires = Fires(program, *track);
  if (attempts) report.attempts = ExplainAttempts(program, *attempts);
  for (std::size_t k = 0; k < report.attempts.size(); ++k)
    for (const AttemptFiring& f : report.attempts[k].fires)
      report.fires.push_back({f.ms, f.row, f.action, static_cast<int>(k) + 1});
  LosingGestures(program, broken, problems);
  MissingFiles(table, probe, problems);
  report.problems = std::move(problems).Sorted();
  return report;
}

}  // namespace

Report Analyse(const std::string& iniBytes, const FileProbe& probe,
               const std::vector<fake::World::Sample>* track) {
  return Analysed(iniBytes, probe, track, nullptr);
}

Report Analyse(const std::string& iniBytes, const FileProbe& probe,
               const std::vector<Attempt>& attempts) {
  return Analysed(iniBytes, probe, nullptr, &attempts);
}

int ExitStatus(const Report& report) {
  if (report.problems.empty()) return 0;
  return report.problems.front().severity == Severity::Error ? 2 : 1;
}

std::vector<FiredRow> Replay(const std::string& iniBytes,
                             const std::vector<fake::World::Sample>& track) {
  LoadedProgram program(iniBytes);
  return Fires(program, track);
}

}  // namespace vetrix::check
