// The option controls that decide what starts recognition: hot-key mode and the mouse buttons.
#pragma once

#include <cstdint>

namespace vetrix {

class MainForm;

void SelectButtonMessages(MainForm& form, int button);
// A button message from the hook library: the chosen button's press runs recognition until
// its release.
void OnHookMouseMessage(MainForm& form, std::int32_t mouseMessage);
// Tells the hook library the current mouse options.
void UpdateMouseTrigger(MainForm& form);
void CBClick(MainForm& form);
void UseMouseClick(MainForm& form);
void UseLeftClick(MainForm& form);
void UseMiddleClick(MainForm& form);
void UseRightClick(MainForm& form);

}  // namespace vetrix
