// Binding files and command lines to gestures, deleting gestures, keeping the saved lines.
#pragma once

namespace vetrix {

class MainForm;

void List1Click(MainForm& form);
// Also the "Файл" item of List2's menu.
void List2DblClick(MainForm& form);
void N2Click(MainForm& form);
void Button3Click(MainForm& form);
void Button5Click(MainForm& form);
void Button6Click(MainForm& form);

}  // namespace vetrix
