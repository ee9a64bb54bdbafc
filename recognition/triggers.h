// The option controls that decide what starts recognition: hot-key mode and the mouse buttons.
#pragma once

namespace vetrix {

class MainForm;

void SelectButtonMessages(MainForm& form, int button);
void CBClick(MainForm& form);
void UseMouseClick(MainForm& form);
void UseLeftClick(MainForm& form);
void UseMiddleClick(MainForm& form);
void UseRightClick(MainForm& form);

}  // namespace vetrix
