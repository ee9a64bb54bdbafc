#include "store/program_actions.h"

#include <algorithm>
#include <bitset>

#include "base/ascii.h"
#include "base/error.h"
#include "base/path.h"
#include "platform/profile.h"
#include "store/gesture_table.h"
#include "store/settings.h"
#include "store/settings_file.h"

namespace vetrix {

const std::string* ProgramActions::Find(int row) const {
  for (const ProgramAction& a : actions)
    if (a.row == row) return &a.action;
  return nullptr;
}

void ProgramActions::Set(int row, std::string action) {
  auto at = std::find_if(actions.begin(), actions.end(),
                         [row](const ProgramAction& a) { return a.row >= row; });
  if (at != actions.end() && at->row == row)
    at->action = std::move(action);
  else
    actions.insert(at, {row, std::move(action)});
}

void ProgramActions::Erase(int row) {
  std::erase_if(actions, [row](const ProgramAction& a) { return a.row == row; });
}

std::string ProgramSection(std::string_view program) {
  return std::string(kProgramSectionPrefix) += program;
}

std::optional<std::string> ProgramOfSection(std::string_view section) {
  if (section.size() < kProgramSectionPrefix.size() ||
      !EqualsIgnoringAsciiCase(section.substr(0, kProgramSectionPrefix.size()),
                               kProgramSectionPrefix))
    return std::nullopt;
  const std::string_view name = FileNameOf(section.substr(kProgramSectionPrefix.size()));
  if (name.empty() || name.size() > kMaxProgramNameLength) return std::nullopt;
  return std::string(name);
}

std::optional<int> ActionKeyRow(std::string_view key) {
  if (key.size() < 2 || key.size() > 4 || (key[0] != 'a' && key[0] != 'A')) return std::nullopt;
  if (key[1] == '0' && key.size() > 2) return std::nullopt;
  int row = 0;
  for (char c : key.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    row = row * 10 + (c - '0');
  }
  if (row >= kMaxGestures) return std::nullopt;
  return row;
}

const ProgramActions* FindProgram(const ProgramActionTable& table, std::string_view program) {
  for (const ProgramActions& p : table)
    if (SameFileName(p.program, program)) return &p;
  return nullptr;
}

const std::string& ActionIn(const ProgramActionTable& table, int row, std::string_view program,
                            const std::string& gestureAction) {
  const ProgramActions* p = FindProgram(table, program);
  const std::string* own = p ? p->Find(row) : nullptr;
  return own ? *own : gestureAction;
}

ProgramActionTable ReadProgramActions(const SettingsFile& file) {
  ProgramActionTable table;
  std::size_t sections = 0;
  for (const std::string& section : file.SectionNames()) {
    std::optional<std::string> program = ProgramOfSection(section);
    if (!program) continue;
    if (++sections > kMaxActionPrograms) break;
    if (FindProgram(table, *program)) continue;
    ProgramActions p{section, std::move(*program), {}};
    // Of a key written twice the first counts, as reads find it.
    for (const std::string& key : file.KeyNames(section))
      if (const std::optional<int> row = ActionKeyRow(key); row && !p.Find(*row))
        p.Set(*row, file.ReadString(section, key));
    table.push_back(std::move(p));
  }
  return table;
}

void WriteProgramAction(const std::string& section, int row, const std::string& action) {
  SettingsFile().WriteString(section, ActionKey(row, 'A'), action);
}

void DeleteProgramAction(const std::string& section, int row) {
  // Unlike the deletions among other writes, this one is the whole change: its failure is
  // reported.
  if (!platform::ProfileWriteString(kSettingsNameCapital, section, ActionKey(row, 'A'),
                                    std::nullopt))
    throw Error(std::string("Unable to write to ") + kSettingsNameCapital);
}

void RenumberProgramActions(ProgramActionTable& table, int d, int n) {
  for (ProgramActions& p : table) {
    const bool touched =
        std::any_of(p.actions.begin(), p.actions.end(),
                    [&](const ProgramAction& a) { return a.row >= d && a.row < n; });
    if (!touched) continue;
    SettingsFile file;
    // The keys as the file holds them now; a row without one keeps having none, where [Main]
    // would write an empty value, which here would mean "nothing in this program".
    std::bitset<kMaxGestures> has;
    for (const std::string& key : file.KeyNames(p.section))
      if (const std::optional<int> row = ActionKeyRow(key); row && *row < n) has.set(*row);
    if (has[d]) file.DeleteKey(p.section, ActionKey(d, 'A'));
    has.reset(d);
    for (int j = d + 1; j < n; ++j) {
      if (has[j]) {
        file.WriteString(p.section, ActionKey(j - 1), file.ReadString(p.section, ActionKey(j)));
        has.set(j - 1);
      } else if (has[j - 1]) {
        file.DeleteKey(p.section, ActionKey(j - 1));
        has.reset(j - 1);
      }
    }
    if (has[n - 1]) file.DeleteKey(p.section, ActionKey(n - 1));
    p.Erase(d);
    for (ProgramAction& a : p.actions)
      if (a.row > d && a.row < n) --a.row;
  }
}

}  // namespace vetrix
