#include "shell/main_form.h"

#include "recognition/recognition.h"
#include "shell/tray.h"
#include "text/texts.h"

namespace vetrix {

MainForm::MainForm()
    : window({.title = texts::kMainTitle, .width = 596, .height = 406}),
      Button1({.parent = window, .rect = {8, 288, 75, 25}, .caption = texts::kStart}),
      List1({.parent = window, .rect = {208, 0, 30, 281}}),
      List2({.parent = window, .rect = {240, 0, 345, 281}}),
      Timer1(window, 3000),
      tray(window) {
  Button1.onClick = [this] { Button1Click(*this); };
  Timer1.onTimer = [this] { Timer1Timer(*this); };
  window.onClose = [this] { CloseProgram(*this); };
}

}  // namespace vetrix
