// Where each control of the main window sits for a given client size.
#pragma once

namespace vetrix {

class MainWindow;

// Lays the controls out for the window's client size: the drawing area and the lists grow,
// the rows of controls under them move down, the right-hand ones move right.
void OnResize(MainWindow& window);

}  // namespace vetrix
