// Recording a new gesture into the first free table row, freely or exactly, and the keys that
// finish (Esc), undo or cancel it (Backspace).
#pragma once

namespace vetrix {

class MainWindow;

// The record button: records into the working row until Esc, Backspace or a full row ends it.
void RecordGesture(MainWindow& window);
// A character typed anywhere in the window: Esc finishes a recording or a playback, Backspace
// takes back the last stroke or cancels the recording.
void OnKeyPress(MainWindow& window, char key);

// Used by the exact mode.
void CommitStroke(MainWindow& window);
void FinishRecording(MainWindow& window);

}  // namespace vetrix
