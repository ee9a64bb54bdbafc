// Placing the start point: a right-button release over the drawing area picks it up, the
// gesture follows the pointer, and the next right-button release puts it down and saves it.
#pragma once

namespace vetrix {

class MainWindow;

void PlaceStartPoint(MainWindow& window);

}  // namespace vetrix
