// Playback: a double click on the drawing area walks the real pointer along the selected
// gesture, five steps a stroke, and puts it back where it was. Esc ends it early.
#pragma once

namespace vetrix {

class MainWindow;

void PlayBackGesture(MainWindow& window);

}  // namespace vetrix
