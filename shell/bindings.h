// The one place that ties the main window's controls, menus, timer and window events to their
// handlers.
#pragma once

namespace vetrix {

class MainWindow;

void BindHandlers(MainWindow& window);

}  // namespace vetrix
