#include "store/settings.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>
#include <vector>

#include "capture/drawing.h"
#include "capture/recording.h"
#include "platform/dispatch.h"
#include "platform/profile.h"
#include "recognition/key_names.h"
#include "recognition/script_field.h"
#include "recognition/triggers.h"
#include "shell/main_form.h"
#include "store/angle_list.h"
#include "store/number.h"
#include "store/settings_file.h"

namespace vetrix {
namespace {

std::string Num(int i) { return std::to_string(i); }
// "a" where the table is loaded or renumbered, "A" where an action is assigned or deleted;
// key names ignore case, so both name the same key.
std::string ActionKey(int i, char letter = 'a') {
  return std::string(1, letter) += std::to_string(i);
}

// What List2 shows for an action: a command's name, or the file itself.
std::string ShownAction(const std::string& action) {
  return !action.empty() && action[0] == '*' ? ScriptField(action, 1) : action;
}

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

}  // namespace

void LoadOptions(MainForm& form) {
  SharedState& s = form.s;
  const SettingsFile file(kSettingsName);
  // Setting a control runs its handler, which may fail (a read-only file, a scale that is not
  // a number). The failure is shown and loading goes on, so that the program still comes up
  // with its tray icon and every gesture.
  const auto step = [](auto&& fn) { platform::RunHandler(fn); };
  // Our own addition, not shown in the window: "HoldButton=no" lets the trigger button's
  // presses reach the programs under the pointer as they are.
  form.holdTriggerButton = file.ReadString(kMain, "HoldButton", "yes") != "no";
  step([&] {
    switch (file.ReadInteger(kMain, "MB", 0)) {
      case 1:
        form.UseLeft.SetChecked(true);
        break;
      case 2:
        form.UseMiddle.SetChecked(true);
        break;
      case 3:
        form.UseRight.SetChecked(true);
        break;
      default:
        break;
    }
  });
  step([&] { form.UseMouse.SetChecked(file.ReadBool(kMain, "UM", false)); });
  s.StartPoint = {file.ReadInteger(kMain, "x2", 0), file.ReadInteger(kMain, "y2", 0)};
  step([&] { form.SE.SetText(file.ReadString(kMain, "Scale", "15")); });
  step([&] {
    if (file.ReadString(kMain, "HK", "no") == "yes") {
      form.HK.SetCode(KeyCodeFromName(file.ReadString(kMain, "Hotkey", "")));
      form.CB.SetChecked(true);
    } else {
      form.CB.SetChecked(false);
    }
  });
  step([&] { form.CB2.SetChecked(file.ReadString(kMain, "AR", "no") == "yes"); });
  UpdateMouseTrigger(form);
}

void LoadSavedCommands(MainForm& form) {
  const SettingsFile file(kSettingsName);
  const int count = file.ReadInteger(kMessages, "NumOfMessages", 0);
  form.savedCommandKeys = SavedCommandKeys(file, count);
  for (int k : form.savedCommandKeys) form.MSL.AddItem(file.ReadString(kMessages, Num(k)));
}

void LoadGestures(MainForm& form) {
  GestureTable& t = form.s.table;
  const SettingsFile file(kSettingsName);
  // The table has room for 101; surplus entries stay in the file untouched.
  t.GestureCount = std::clamp(file.ReadInteger(kMain, "Num", 0), 0, kMaxGestures);
  std::optional<std::string> firstError;
  for (int i = 0; i < t.GestureCount; ++i) {
    const std::string angles = file.ReadString(kMain, Num(i + 1));
    // An entry without strokes, or with a broken list, keeps its place and its rows, so that
    // every later row still names its own gesture; it has nothing to follow, so it never fires.
    t.SegmentCount[i] = 0;
    if (!angles.empty()) {
      try {
        ParseAngleList(angles, t.Angles[i], t.SegmentCount[i]);
      } catch (const Error& e) {
        t.SegmentCount[i] = 0;
        if (!firstError) firstError = e.what();
      }
    }
    t.Action[i] = file.ReadString(kMain, ActionKey(i));
    form.List1.AddRow(Num(i));
    form.List2.AddRow(ShownAction(t.Action[i]));
  }
  UpdateRecordButton(form);
  if (firstError) platform::ShowErrorBox(*firstError);
}

void WriteFinishedGesture(int gestureCount, const std::string& angleListText) {
  if (angleListText.empty()) return;
  SettingsFile file;
  file.WriteString(kMain, Num(gestureCount), angleListText);
  file.WriteInteger(kMain, "Num", gestureCount);
}

void DeleteGesture(MainForm& form, int d) {
  GestureTable& t = form.s.table;
  const int n = TableSize(t);
  if (d < 0 || d >= n) return;
  // The file first: if it cannot be written, the table and the lists stay as they were
  // instead of showing a state that the file does not hold.
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

  RemoveGesture(t, d);
  for (int j = d + 1; j < n && j < form.List1.RowCount(); ++j) form.List1.SetRowText(j, Num(j - 1));
  form.List2.DeleteRow(d);
  form.List1.DeleteRow(d);
  form.List1.Select(-1);
  UpdateRecordButton(form);
  ClearDrawing(form);
}

void AssignAction(MainForm& form, int row, const std::string& action, const std::string& shown) {
  if (row < 0 || row >= TableSize(form.s.table)) return;
  form.List2.SetRowText(row, shown);
  form.s.table.Action[row] = action;
  platform::SetCurrentDirectory(form.s.ExeDirectory);
  SettingsFile().WriteString(kMain, ActionKey(row, 'A'), action);
}

void AddSavedCommand(MainForm& form) {
  const std::string text = form.MSL.Text();
  SettingsFile file;
  const int n = file.ReadInteger(kMessages, "NumOfMessages", 0);
  if (n == INT_MAX) return;  // no number left for another line
  const std::vector<int> present = SavedCommandKeys(file, std::max(n, 0));
  // Lines 1..n that are missing read as empty.
  if (text.empty() && static_cast<int>(present.size()) < n) return;
  for (int k : present)
    if (EqualsIgnoringAsciiCase(file.ReadString(kMessages, Num(k)), text)) return;
  // The new line goes after every numbered key in the file, so that a line hidden by a short
  // or negative count is never overwritten.
  const std::vector<int> all = SavedCommandKeys(file, INT_MAX - 1);
  const int key = std::max(n, all.empty() ? 0 : all.back()) + 1;
  form.MSL.AddItem(text);
  form.savedCommandKeys.push_back(key);
  file.WriteInteger(kMessages, "NumOfMessages", key);
  file.WriteString(kMessages, Num(key), text);
}

void DeleteSavedCommand(MainForm& form) {
  const int p = form.MSL.Selected();
  auto& keys = form.savedCommandKeys;
  if (p < 0 || p >= static_cast<int>(keys.size())) return;
  SettingsFile file;
  // Later lines move up one key each, the way the list moves them up one row.
  for (std::size_t q = static_cast<std::size_t>(p); q + 1 < keys.size(); ++q)
    file.WriteString(kMessages, Num(keys[q]), file.ReadString(kMessages, Num(keys[q + 1])));
  file.DeleteKey(kMessages, Num(keys.back()));
  const int count = file.ReadInteger(kMessages, "NumOfMessages", 0);
  file.WriteInteger(kMessages, "NumOfMessages", count == INT_MIN ? count : count - 1);
  keys.pop_back();
  form.MSL.DeleteItem(p);
  form.MSL.SetText("");
}

void WriteStartPoint(MainForm& form) {
  SettingsFile file(kSettingsName);
  file.WriteInteger(kMain, "x2", form.s.StartPoint.x);
  file.WriteInteger(kMain, "y2", form.s.StartPoint.y);
}

void WriteClosingSettings(MainForm& form) {
  SettingsFile file(kSettingsName);
  file.WriteString(kMain, "Hotkey", HotKeyText(form.HK.Code()));
  file.WriteInteger(kMain, "Scale", ScaleValue(form));
}

void WriteOption(const char* key, const std::string& value) {
  SettingsFile().WriteString(kMain, key, value);
}
void WriteOptionInteger(const char* key, int value) {
  SettingsFile().WriteInteger(kMain, key, value);
}
void WriteOptionBool(const char* key, bool value) { SettingsFile().WriteBool(kMain, key, value); }

}  // namespace vetrix
