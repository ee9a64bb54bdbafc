// Editing the table from the window: binding files and command lines to gestures, deleting
// gestures, keeping the saved command lines. Each writes gesture.ini and updates the lists.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vetrix {

class MainWindow;

// The open dialog with that filter; `use` gets the chosen file's path (code page 1251). A path
// the file cannot hold, or an error of `use`, puts the current folder back where the dialog
// found it. Nothing when cancelled.
void WithChosenFile(std::string_view filter, const std::function<void(const std::string&)>& use);
// A double click on the action list, or its menu's "Файл": the open dialog picks the file.
void BindFileToGesture(MainWindow& window);
// The action list's menu's "Команда": the saved-command box's text becomes the action.
void BindCommandToGesture(MainWindow& window);
// Binds an action to the gesture of the action list's row, shown as `shown`; the file beside
// the program is used from now on.
void AssignAction(MainWindow& window, int row, const std::string& action, const std::string& shown);
void DeleteSelectedGesture(MainWindow& window);
// Saves the box's text as a command line unless it is there already (A-Z compared without
// case).
void AddSavedCommand(MainWindow& window);
// Deletes the command line chosen in the box's list.
void DeleteSavedCommand(MainWindow& window);

}  // namespace vetrix
