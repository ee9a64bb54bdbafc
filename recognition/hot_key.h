// The global hot key of hot-key mode, registered from the key field.
#pragma once

#include <cstdint>

namespace vetrix {

class MainForm;

// At the top of every click of the start button: registers the key field's combination
// again (the field is emptied first when hot-key mode is off). False when it cannot be
// registered; the user has been told and the key field has the focus.
bool RefreshHotKey(MainForm& form);
// The start-up registration from the key field as loaded.
void RegisterHotKeyAtStartup(MainForm& form);
// The hot key was pressed.
void OnHotKey(MainForm& form);

}  // namespace vetrix
