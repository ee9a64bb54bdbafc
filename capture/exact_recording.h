#pragma once

namespace vetrix {

class MainForm;

// "Точная запись" ticked or not: saved at once.
void CB2Click(MainForm& form);

}  // namespace vetrix
