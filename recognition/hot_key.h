// The global hot key of hot-key mode, registered from the key field.
#pragma once

#include <cstdint>

namespace vetrix {

class MainWindow;

// At the top of every click of the start button: registers the key field's combination
// again (the field is emptied first when hot-key mode is off). False when it cannot be
// registered; the user has been told and the key field has the focus.
bool RefreshHotKey(MainWindow& window);
// The start-up registration from the key field as loaded.
void RegisterHotKeyAtStartup(MainWindow& window);
// "Горячая клавиша" ticked or not: saved at once. Hot-key mode makes every run one-shot; leaving
// it frees the key.
void OnHotKeyModeClick(MainWindow& window);

}  // namespace vetrix
