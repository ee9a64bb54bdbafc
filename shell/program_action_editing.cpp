#include "shell/program_action_editing.h"

#include "base/error.h"
#include "base/path.h"
#include "platform/profile.h"
#include "store/program_actions.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

// The write in the program's folder, as every binding makes it; the folder is put back when
// the write fails.
template <typename Write>
void WriteBesideProgram(MainWindow& window, Write write) {
  const SystemPath previousFolder = platform::CurrentDirectory();
  platform::SetCurrentDirectory(window.state.programFolder);
  try {
    write();
  } catch (const Error&) {
    platform::SetCurrentDirectory(previousFolder);
    throw;
  }
}

ProgramActions* Entry(MainWindow& window, const std::string& program) {
  return const_cast<ProgramActions*>(FindProgram(window.state.programActions, program));
}

}  // namespace

void SetProgramAction(MainWindow& window, int row, const std::string& program,
                      const std::string& action) {
  const std::string name(FileNameOf(program));
  if (row < 0 || row >= TableSize(window.state.table) || !ProgramOfSection(ProgramSection(name)))
    return;
  ProgramActions* entry = Entry(window, name);
  const std::string section = entry ? entry->section : ProgramSection(name);
  WriteBesideProgram(window, [&] { WriteProgramAction(section, row, action); });
  if (!entry) entry = &window.state.programActions.emplace_back(ProgramActions{section, name, {}});
  entry->Set(row, action);
}

void RemoveProgramAction(MainWindow& window, int row, const std::string& program) {
  ProgramActions* entry = Entry(window, std::string(FileNameOf(program)));
  if (!entry || !entry->Find(row)) return;
  WriteBesideProgram(window, [&] { DeleteProgramAction(entry->section, row); });
  entry->Erase(row);
}

}  // namespace vetrix
