// What gesture.ini holds, read at start-up and written by the handler that changes it. The
// table, the lists and the file change together, and list row i, table index i and the keys
// "i+1" / "a<i>" always name the same gesture.
#pragma once

#include <string>

namespace vetrix {

class MainForm;

// Start-up, in its fixed order: mouse button before the mouse trigger, the hot key into its
// field before hot-key mode is ticked, both before the hot key is registered.
void LoadOptions(MainForm& form);
void LoadSavedCommands(MainForm& form);
void LoadGestures(MainForm& form);

// Finishing a recording that made gesture n (1-based count after it was added).
void WriteFinishedGesture(int gestureCount, const std::string& angleListText);
// Deletes gesture d from the file, the table and both lists; later gestures move down.
void DeleteGesture(MainForm& form, int d);
// Binds an action to the gesture of List2's row; the file beside the program is used from now.
void AssignAction(MainForm& form, int row, const std::string& action, const std::string& shown);
// Saves MSL's text as a command line unless it is there already (A-Z compared without case).
void AddSavedCommand(MainForm& form);
// Deletes the command line chosen in MSL's list.
void DeleteSavedCommand(MainForm& form);
void WriteStartPoint(MainForm& form);
// The two values saved only when the program closes.
void WriteClosingSettings(MainForm& form);

// The option check boxes and radio buttons.
void WriteOption(const char* key, const std::string& value);
void WriteOptionInteger(const char* key, int value);
void WriteOptionBool(const char* key, bool value);

}  // namespace vetrix
