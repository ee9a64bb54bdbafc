// Actions of their own for one program: a gesture may do something else while that program is
// in front. Each program has a section of gesture.ini named "Program:" and its executable file
// name ("[Program:notepad.exe]"; a path counts by its last part). ":" is in no file name, and
// no section of the program's own will ever start with "Program:", so such a section never
// meets [Main], [Messages], [Exclude] or a later one. Its keys name rows as [Main]'s action keys
// do ("a0", "a3"); a value is an action text as [Main] holds one, and an empty one means that
// the gesture does nothing in that program. A file without such sections loads, fires and is
// written exactly as before, and a build that does not know them leaves them alone.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrix {

inline constexpr std::string_view kProgramSectionPrefix = "Program:";
// The sections read, as with [Exclude]: later ones are left in the file untouched.
inline constexpr std::size_t kMaxActionPrograms = 256;

struct ProgramAction {
  int row = 0;
  std::string action;
};

struct ProgramActions {
  std::string section;                 // as the file spells it
  std::string program;                 // the file name it stands for
  std::vector<ProgramAction> actions;  // ascending rows, one each

  // The program's own action for a row; null when it has none (the gesture's own applies).
  const std::string* Find(int row) const;
  // Sets or replaces the row's action, keeping the rows ascending.
  void Set(int row, std::string action);
  void Erase(int row);
};

// One entry per program, in the order of their sections; empty for a file with none, and then
// nothing anywhere does any work for them.
using ProgramActionTable = std::vector<ProgramActions>;

// The section of a program's actions.
std::string ProgramSection(std::string_view program);
// The program a section stands for, or nothing when it is no program's (other sections, an
// empty or overlong name).
std::optional<std::string> ProgramOfSection(std::string_view section);
// The row an action key names ("a0".."a100", either case, plain decimal), or nothing.
std::optional<int> ActionKeyRow(std::string_view key);

// The entry of a program, compared as file names are; null when it has none.
const ProgramActions* FindProgram(const ProgramActionTable& table, std::string_view program);

// The action a row runs with `program` in front: that program's own, else the gesture's.
const std::string& ActionIn(const ProgramActionTable& table, int row, std::string_view program,
                            const std::string& gestureAction);

// Every program's actions as the file holds them. A program named by two sections takes the
// first, as later reads would; rows beyond the table are not kept.
class SettingsFile;
ProgramActionTable ReadProgramActions(const SettingsFile& file);

// The program's action for a row, written to its section (made when missing).
void WriteProgramAction(const std::string& section, int row, const std::string& action);
// The program's own action for a row removed: the gesture's own applies there again. Throws
// the write error when the file cannot be written.
void DeleteProgramAction(const std::string& section, int row);
// After gesture `deleted` of `count` left the file, every program's keys move down as [Main]'s
// do; a row that had no key of its own still has none. Each section's entry follows its
// writes, so a failed write leaves the table as the file is up to that section.
void RenumberProgramActions(ProgramActionTable& table, int deleted, int count);

}  // namespace vetrix
