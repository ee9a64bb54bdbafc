#pragma once

namespace vetrix {

class MainForm;

// Registers the hot key of the key field again; false when registration failed. Until the
// hot-key trigger exists there is nothing to register, so it always succeeds.
bool RefreshHotKey(MainForm& form);
// The start-up registration from the key field as loaded.
void RegisterHotKeyAtStartup(MainForm& form);

}  // namespace vetrix
