// Recording a new gesture into the first free table row, freely or exactly, and the keys that
// finish (Esc), undo or cancel it (Backspace).
#pragma once

namespace vetrix {

class MainForm;

void Button2Click(MainForm& form);
void FormKeyPress(MainForm& form, char key);
// Whether the record button can start a recording: the table has a free row.
void UpdateRecordButton(MainForm& form);

// Used by the exact mode.
void CommitStroke(MainForm& form);
void FinishRecording(MainForm& form);

}  // namespace vetrix
