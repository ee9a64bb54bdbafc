// The mouse trigger: while "Использовать кнопки мыши" is ticked, a press of the chosen button
// runs recognition until its release. The hook library reports the presses and releases.
#pragma once

#include <cstdint>

namespace vetrix {

class MainWindow;

// Which button messages start and stop a run (button 1 left, 2 middle, 3 right).
void SelectButtonMessages(MainWindow& window, int button);
// A button message from the hook library.
void OnHookMouseMessage(MainWindow& window, std::int32_t mouseMessage);
// Tells the hook library what recognition answers to (the selected button, while the box is
// ticked and recognition is not paused) and whether that button is held back.
void UpdateMouseTrigger(MainWindow& window);
// Whether a button's press starts recognition: the box ticked and a button listened to (the
// one last selected, which the file may have refused to record).
bool ButtonStartsRecognition(const MainWindow& window);
// The hook library could not set its hook for a while (true), or could again (false): the tray
// tip says that the buttons are not heard, until they are.
void OnHookSilent(MainWindow& window, bool silent);
// Ends a run that a button press started, for when its release will not be reported.
void StopButtonRun(MainWindow& window);
// "Использовать кнопки мыши" ticked or not: saved at once.
void OnMouseTriggerClick(MainWindow& window);
// One of the three button radios chosen: saved at once.
void OnTriggerButtonClick(MainWindow& window, int button);

}  // namespace vetrix
