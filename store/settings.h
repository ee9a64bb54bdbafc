// What gesture.ini holds, read into plain values at start-up and written by the handler that
// changes it. Row i of the lists, table index i and the keys "i+1" / "a<i>" always name the
// same gesture. Nothing here knows a control: start-up applies what is read, in its own order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "store/gesture_table.h"
#include "store/program_actions.h"

namespace vetrix {

// "Scale" when the file has none, or one that is not a whole number.
inline constexpr std::string_view kDefaultScale = "15";

// Which chosen trigger button the hook library holds back ("HoldButton", our own addition, not
// shown in the window). Missing: the right one only, whose release after a gesture would
// otherwise open a context menu; the left and middle ones would lose every drag, selection and
// long press anywhere. "yes": whichever is chosen; "no": none.
enum class HoldButton { Right, Any, None };

// When recognition pauses for the window in front: "[Exclude]" (program file names, one a key)
// and "PauseFullscreen" in [Main], our own additions that only the user writes.
struct PauseRules {
  std::vector<std::string> programs;
  bool fullscreen = false;  // "PauseFullscreen" is "yes"
  bool Empty() const { return programs.empty() && !fullscreen; }
};
// "Trail" and "Tip" in [Main], our own additions that only the user writes: only "no" turns
// either off.
struct FeedbackOptions {
  bool trail = true;
  bool tip = true;
};

// The keys of [Exclude] read, and the longest name taken: beyond these a file full of keys or
// of long values only wastes the start-up's time; no file name is longer, and nobody lists
// that many programs.
inline constexpr std::size_t kMaxExcludedPrograms = 256;
inline constexpr std::size_t kMaxProgramNameLength = 255;

// The [Main] key of row `row`'s angle list ("1" for row 0), and of its action ("a0"). "a" where
// the table is loaded or renumbered, "A" where an action is assigned or deleted; key names ignore
// case, so both name the same key.
std::string AngleListKey(int row);
std::string ActionKey(int row, char letter = 'a');

// The [Main] options, as the file holds them.
struct StoredOptions {
  std::int32_t mouseButton = 0;  // "MB": 1 left, 2 middle, 3 right; anything else: none
  bool useMouse = false;         // "UM"
  Point startPoint;              // "x2", "y2"
  std::string scale;             // "Scale", as written; it may be no number at all
  bool hotKeyMode = false;       // "HK" is "yes"
  std::string hotKeyName;        // "Hotkey"
  bool exactMode = false;        // "AR" is "yes"
  HoldButton holdButton = HoldButton::Right;  // "HoldButton"
  PauseRules pause;
  // "TraceFile", our own addition that only the user writes: where attempts are recorded;
  // empty: nowhere.
  std::string traceFile;
  FeedbackOptions feedback;
};
StoredOptions ReadOptions();

// The saved command lines shown: their [Messages] keys, ascending, and their texts.
struct StoredCommands {
  std::vector<int> keys;
  std::vector<std::string> lines;
};
StoredCommands ReadSavedCommands();

// Fills the table from the file (at most 101 gestures; the rest stay in the file untouched),
// and `programs`, when given, with the actions of their own per program from the same reading.
// An entry whose angle list is broken keeps its place without strokes; the first such error
// is returned.
std::optional<std::string> ReadGestures(GestureTable& table,
                                        ProgramActionTable* programs = nullptr);

// Finishing a recording that made gesture n (1-based count after it was added): its angle list
// and the count, and no action key of its row.
void WriteFinishedGesture(int gestureCount, const std::string& angleListText);
// Deletes gesture `deleted` of `count` from the file; later gestures move down one key.
void DeleteGestureFromFile(int deleted, int count);
void WriteAction(int row, const std::string& action);

// The key a new saved command line gets, or nothing when it is not to be saved: a line already
// there (A-Z compared without case), an empty line while missing lines read as empty, or no
// number left.
std::optional<int> NewSavedCommandKey(const std::string& text);
void WriteSavedCommand(int key, const std::string& text);
// Deletes row `position` of the lines shown under `keys`: later lines move up one key each.
void DeleteSavedCommandFromFile(const std::vector<int>& keys, int position);

void WriteStartPoint(Point start);
// The two values saved only when the program closes, written in this order.
void WriteHotKeyName(const std::string& name);
void WriteScale(std::int32_t scale);

// The option check boxes and radio buttons.
void WriteOption(std::string_view key, std::string_view value);
void WriteOptionInteger(std::string_view key, std::int32_t value);
void WriteOptionBool(std::string_view key, bool value);

}  // namespace vetrix
