#include "window/program_actions_dialog.h"

#include <string>

#include "base/dpi.h"
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
      programList(
          {.parent = frame, .rect = Scaled(kProgramActionsLayout.programList, frame.Dpi())}),
      fileButton({.parent = frame,
                  .rect = Scaled(kProgramActionsLayout.fileButton, frame.Dpi()),
                  .caption = texts::kProgramFile}),
      commandButton({.parent = frame,
                     .rect = Scaled(kProgramActionsLayout.commandButton, frame.Dpi()),
                     .caption = texts::kProgramCommand}),
      nothingButton({.parent = frame,
                     .rect = Scaled(kProgramActionsLayout.nothingButton, frame.Dpi()),
                     .caption = texts::kProgramNothing}),
      removeButton({.parent = frame,
                    .rect = Scaled(kProgramActionsLayout.removeButton, frame.Dpi()),
                    .caption = texts::kProgramRemove}),
      programBox({.parent = frame,
                  .rect = Scaled(kProgramActionsLayout.programBox, frame.Dpi()),
                  .icons = true}),
      browseButton({.parent = frame,
                    .rect = Scaled(kProgramActionsLayout.browseButton, frame.Dpi()),
                    .caption = texts::kProgramBrowse}),
      addButton({.parent = frame,
                 .rect = Scaled(kProgramActionsLayout.addButton, frame.Dpi()),
                 .caption = texts::kProgramAdd}),
      closeButton({.parent = frame,
                   .rect = Scaled(kProgramActionsLayout.closeButton, frame.Dpi()),
                   .caption = texts::kProgramClose}) {}

void ProgramActionsDialog::LayOut() {
  const std::int32_t dpi = frame.Dpi();
  const auto& l = kProgramActionsLayout;
  programList.SetBounds(Scaled(l.programList, dpi));
  fileButton.SetBounds(Scaled(l.fileButton, dpi));
  commandButton.SetBounds(Scaled(l.commandButton, dpi));
  nothingButton.SetBounds(Scaled(l.nothingButton, dpi));
  removeButton.SetBounds(Scaled(l.removeButton, dpi));
  programBox.SetBounds(Scaled(l.programBox, dpi));
  browseButton.SetBounds(Scaled(l.browseButton, dpi));
  addButton.SetBounds(Scaled(l.addButton, dpi));
  closeButton.SetBounds(Scaled(l.closeButton, dpi));
}

}  // namespace vetrix
