#include "window/program_actions_dialog.h"

#include <string>

#include "base/texts.h"

namespace vetrix {

namespace {
std::string Title(int row) {
  return texts::kGestureTitle.str() + std::to_string(row) + texts::kInProgramsTitle.str();
}
}  // namespace

ProgramActionsDialog::ProgramActionsDialog(platform::Window& owner, int gestureRow)
    : row(gestureRow),
      frame({.title = Title(gestureRow),
             .width = kProgramActionsLayout.client.width,
             .height = kProgramActionsLayout.client.height,
             .owner = &owner}),
      programList({.parent = frame, .rect = kProgramActionsLayout.programList}),
      fileButton({.parent = frame,
                  .rect = kProgramActionsLayout.fileButton,
                  .caption = texts::kProgramFile}),
      commandButton({.parent = frame,
                     .rect = kProgramActionsLayout.commandButton,
                     .caption = texts::kProgramCommand}),
      nothingButton({.parent = frame,
                     .rect = kProgramActionsLayout.nothingButton,
                     .caption = texts::kProgramNothing}),
      removeButton({.parent = frame,
                    .rect = kProgramActionsLayout.removeButton,
                    .caption = texts::kProgramRemove}),
      programBox({.parent = frame, .rect = kProgramActionsLayout.programBox, .icons = true}),
      browseButton({.parent = frame,
                    .rect = kProgramActionsLayout.browseButton,
                    .caption = texts::kProgramBrowse}),
      addButton({.parent = frame,
                 .rect = kProgramActionsLayout.addButton,
                 .caption = texts::kProgramAdd}),
      closeButton({.parent = frame,
                   .rect = kProgramActionsLayout.closeButton,
                   .caption = texts::kProgramClose}) {}

}  // namespace vetrix
