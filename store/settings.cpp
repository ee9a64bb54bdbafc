#include "store/settings.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "base/ascii.h"
#include "base/error.h"
#include "store/angle_list.h"
#include "store/settings_file.h"

namespace vetrix {
namespace {

std::string Num(int i) { return std::to_string(i); }

// A key named by a plain decimal number from 1 to `limit`, as the program writes them.
std::optional<int> SavedCommandNumber(const std::string& name, int limit) {
  if (name.empty() || name[0] < '1' || name[0] > '9') return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value);
  if (error != std::errc() || end != name.data() + name.size() || value > limit)
    return std::nullopt;
  return value;
}

// The numbered command keys present in the file, up to `limit`, ascending. Counting this way
// never walks a huge or negative "NumOfMessages" one key at a time.
std::vector<int> SavedCommandKeys(const SettingsFile& file, int limit) {
  std::vector<int> keys;
  for (const std::string& name : file.KeyNames(kMessages))
    if (auto k = SavedCommandNumber(name, limit)) keys.push_back(*k);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

// Any key of [Exclude] names a program; a path names its last part. Only the first keys are
// read: a file in another encoding is read key by key, each read a pass over the whole file.
std::vector<std::string> ExcludedPrograms(const SettingsFile& file) {
  std::vector<std::string> keys = file.KeyNames(kExclude);
  if (keys.size() > kMaxExcludedPrograms) keys.resize(kMaxExcludedPrograms);
  std::vector<std::string> programs;
  for (const std::string& key : keys) {
    std::string name = file.ReadString(kExclude, key);
    name.erase(0, name.find_last_of("\\/") + 1);
    if (!name.empty() && name.size() <= kMaxProgramNameLength) programs.push_back(std::move(name));
  }
  return programs;
}

}  // namespace

std::string AngleListKey(int row) { return Num(row + 1); }
std::string ActionKey(int row, char letter) {
  return std::string(1, letter) += std::to_string(row);
}

StoredOptions ReadOptions() {
  const SettingsFile file = SettingsFile::Snapshot(kSettingsName);
  StoredOptions o;
  const std::string hold = file.ReadString(kMain, "HoldButton", "");
  o.holdButton = hold == "yes"  ? HoldButton::Any
                 : hold == "no" ? HoldButton::None
                                : HoldButton::Right;
  o.mouseButton = file.ReadInteger(kMain, "MB", 0);
  o.useMouse = file.ReadBool(kMain, "UM", false);
  o.startPoint = {file.ReadInteger(kMain, "x2", 0), file.ReadInteger(kMain, "y2", 0)};
  o.scale = file.ReadString(kMain, "Scale", kDefaultScale);
  o.hotKeyMode = file.ReadString(kMain, "HK", "no") == "yes";
  o.hotKeyName = file.ReadString(kMain, "Hotkey", "");
  o.exactMode = file.ReadString(kMain, "AR", "no") == "yes";
  o.pause.programs = ExcludedPrograms(file);
  o.pause.fullscreen = file.ReadString(kMain, "PauseFullscreen", "no") == "yes";
  o.traceFile = file.ReadString(kMain, "TraceFile", "");
  o.feedback.trail = file.ReadString(kMain, "Trail", "yes") != "no";
  o.feedback.tip = file.ReadString(kMain, "Tip", "yes") != "no";
  return o;
}

StoredCommands ReadSavedCommands() {
  const SettingsFile file = SettingsFile::Snapshot(kSettingsName);
  StoredCommands commands;
  commands.keys = SavedCommandKeys(file, file.ReadInteger(kMessages, "NumOfMessages", 0));
  for (int k : commands.keys) commands.lines.push_back(file.ReadString(kMessages, Num(k)));
  return commands;
}

std::optional<std::string> ReadGestures(GestureTable& t, ProgramActionTable* programs) {
  const SettingsFile file = SettingsFile::Snapshot(kSettingsName);
  if (programs) *programs = ReadProgramActions(file);
  t.gestureCount = std::clamp(file.ReadInteger(kMain, "Num", 0), 0, kMaxGestures);
  std::optional<std::string> firstError;
  for (int i = 0; i < t.gestureCount; ++i) {
    const std::string angles = file.ReadString(kMain, AngleListKey(i));
    // An entry without strokes, or with a broken list, keeps its place and its rows, so that
    // every later row still names its own gesture; it has nothing to follow, so it never fires.
    t.strokeCount[i] = 0;
    if (!angles.empty()) {
      try {
        ParseAngleList(angles, t.angles[i], t.strokeCount[i]);
      } catch (const Error& e) {
        t.strokeCount[i] = 0;
        if (!firstError) firstError = e.what();
      }
    }
    t.action[i] = file.ReadString(kMain, ActionKey(i));
  }
  return firstError;
}

void WriteFinishedGesture(int gestureCount, const std::string& angleListText) {
  if (angleListText.empty()) return;
  SettingsFile file;
  // An action key left over in this row (bound to an uncounted recording, or a hand edit)
  // would otherwise be the new gesture's action: it has none until one is bound.
  file.DeleteKey(kMain, ActionKey(gestureCount - 1, 'A'));
  file.WriteString(kMain, Num(gestureCount), angleListText);
  file.WriteInteger(kMain, "Num", gestureCount);
}

void DeleteGestureFromFile(int d, int n) {
  SettingsFile file;
  file.DeleteKey(kMain, Num(d + 1));
  file.DeleteKey(kMain, ActionKey(d, 'A'));
  for (int j = d + 1; j < n; ++j) {
    file.WriteString(kMain, Num(j), file.ReadString(kMain, Num(j + 1)));
    file.WriteString(kMain, ActionKey(j - 1), file.ReadString(kMain, ActionKey(j)));
  }
  file.DeleteKey(kMain, Num(n));
  file.DeleteKey(kMain, ActionKey(n - 1));
  file.WriteInteger(kMain, "Num", n - 1);
}

void WriteAction(int row, const std::string& action) {
  SettingsFile().WriteString(kMain, ActionKey(row, 'A'), action);
}

std::optional<int> NewSavedCommandKey(const std::string& text) {
  const SettingsFile file;
  const int n = file.ReadInteger(kMessages, "NumOfMessages", 0);
  if (n == INT_MAX) return std::nullopt;  // no number left for another line
  const std::vector<int> present = SavedCommandKeys(file, std::max(n, 0));
  // Lines 1..n that are missing read as empty.
  if (text.empty() && static_cast<int>(present.size()) < n) return std::nullopt;
  for (int k : present)
    if (EqualsIgnoringAsciiCase(file.ReadString(kMessages, Num(k)), text)) return std::nullopt;
  // The new line goes after every numbered key in the file, so that a line hidden by a short
  // or negative count is never overwritten.
  const std::vector<int> all = SavedCommandKeys(file, INT_MAX - 1);
  return std::max(n, all.empty() ? 0 : all.back()) + 1;
}

void WriteSavedCommand(int key, const std::string& text) {
  SettingsFile file;
  file.WriteInteger(kMessages, "NumOfMessages", key);
  file.WriteString(kMessages, Num(key), text);
}

void DeleteSavedCommandFromFile(const std::vector<int>& keys, int p) {
  SettingsFile file;
  for (std::size_t q = static_cast<std::size_t>(p); q + 1 < keys.size(); ++q)
    file.WriteString(kMessages, Num(keys[q]), file.ReadString(kMessages, Num(keys[q + 1])));
  file.DeleteKey(kMessages, Num(keys.back()));
  const int count = file.ReadInteger(kMessages, "NumOfMessages", 0);
  file.WriteInteger(kMessages, "NumOfMessages", count == INT_MIN ? count : count - 1);
}

void WriteStartPoint(Point start) {
  SettingsFile file(kSettingsName);
  file.WriteInteger(kMain, "x2", start.x);
  file.WriteInteger(kMain, "y2", start.y);
}

void WriteHotKeyName(const std::string& name) {
  SettingsFile(kSettingsName).WriteString(kMain, "Hotkey", name);
}
void WriteScale(std::int32_t scale) {
  SettingsFile(kSettingsName).WriteInteger(kMain, "Scale", scale);
}

void WriteOption(std::string_view key, std::string_view value) {
  SettingsFile().WriteString(kMain, key, value);
}
void WriteOptionInteger(std::string_view key, std::int32_t value) {
  SettingsFile().WriteInteger(kMain, key, value);
}
void WriteOptionBool(std::string_view key, bool value) {
  SettingsFile().WriteBool(kMain, key, value);
}

}  // namespace vetrix
