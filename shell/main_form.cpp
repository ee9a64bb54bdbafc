#include "shell/main_form.h"

#include "capture/drawing.h"
#include "capture/exact_recording.h"
#include "capture/recording.h"
#include "recognition/hot_key.h"
#include "recognition/recognition.h"
#include "recognition/triggers.h"
#include "shell/action_editing.h"
#include "shell/form_create.h"
#include "shell/layout.h"
#include "shell/tray.h"
#include "text/texts.h"

namespace vetrix {

MainForm::MainForm()
    : window({.title = texts::kMainTitle, .width = 596, .height = 406}),
      Image1({.parent = window, .rect = {0, 0, 209, 281}}),
      Button1({.parent = window, .rect = {8, 288, 75, 25}, .caption = texts::kStart}),
      Button2({.parent = window, .rect = {88, 288, 83, 25}, .caption = texts::kRecord}),
      List1({.parent = window, .rect = {208, 0, 30, 281}}),
      Button3({.parent = window, .rect = {232, 288, 75, 25}, .caption = texts::kDelete}),
      List2({.parent = window, .rect = {240, 0, 345, 281}}),
      HK({.parent = window, .rect = {8, 320, 121, 19}}),
      CB({.parent = window, .rect = {136, 320, 113, 17}, .caption = texts::kHotKey}),
      SE({.parent = window, .rect = {176, 288, 49, 22}, .minimum = 1, .maximum = 30}),
      CB2({.parent = window, .rect = {248, 320, 97, 17}, .caption = texts::kExactRecording}),
      Button4({.parent = window, .rect = {512, 288, 75, 25}, .caption = texts::kHide}),
      GB({.parent = window, .rect = {320, 280, 185, 41}}),
      UseMouse(
          {.parent = window, .group = &GB, .rect = {3, 7, 166, 17}, .caption = texts::kUseMouse}),
      UseLeft({.parent = window,
               .group = &GB,
               .rect = {3, 22, 57, 17},
               .caption = texts::kLeft,
               .radio = true}),
      UseRight({.parent = window,
                .group = &GB,
                .rect = {122, 22, 57, 17},
                .caption = texts::kRight,
                .radio = true}),
      UseMiddle({.parent = window,
                 .group = &GB,
                 .rect = {56, 22, 63, 17},
                 .caption = texts::kMiddle,
                 .radio = true}),
      MSL({.parent = window, .rect = {8, 344, 417, 21}}),
      Button5({.parent = window, .rect = {432, 344, 75, 25}, .caption = texts::kAdd}),
      Button6({.parent = window, .rect = {512, 344, 75, 25}, .caption = texts::kDelete}),
      Timer1(window, 3000),
      tray(window),
      PM(window),
      Act(window) {
  PM.AddItem(texts::kRestore, [this] { Restore1Click(*this); });
  PM.AddItem(texts::kExit, [this] { Exit1Click(*this); });
  Act.AddItem(
      texts::kFile, [this] { List2DblClick(*this); }, /*isDefault=*/true);
  Act.AddItem(texts::kCommand, [this] { N2Click(*this); });
  List2.SetContextMenu(&Act);
  List1.onClick = [this] { List1Click(*this); };
  List2.onDblClick = [this] { List2DblClick(*this); };
  Button4.onClick = [this] { Button4Click(*this); };
  Button2.onClick = [this] { Button2Click(*this); };
  SE.onExit = [this] { SEExit(*this); };
  Image1.onMouseUp = [this](platform::MouseButton b) { Image1MouseUp(*this, b); };
  Image1.onDblClick = [this] { Image1DblClick(*this); };
  window.onKeyPress = [this](char key) { FormKeyPress(*this, key); };
  window.onFirstActivate = [this] { FormActivate(*this); };
  window.onResize = [this] { FormResize(*this); };
  window.onTrayMessage = [this](std::int32_t message) { TrayMessage(*this, message); };
  window.onHotKey = [this] { OnHotKey(*this); };
  window.onHookMessage = [this](std::int32_t message) { OnHookMouseMessage(*this, message); };
  window.onTaskbarCreated = [this] { TaskbarCreated(*this); };
  Button1.onClick = [this] { Button1Click(*this); };
  Button3.onClick = [this] { Button3Click(*this); };
  Button5.onClick = [this] { Button5Click(*this); };
  Button6.onClick = [this] { Button6Click(*this); };
  SE.onChange = [this] { SEChange(*this); };
  CB.onClick = [this] { CBClick(*this); };
  CB2.onClick = [this] { CB2Click(*this); };
  UseMouse.onClick = [this] { UseMouseClick(*this); };
  UseLeft.onClick = [this] { UseLeftClick(*this); };
  UseMiddle.onClick = [this] { UseMiddleClick(*this); };
  UseRight.onClick = [this] { UseRightClick(*this); };
  Timer1.onTimer = [this] { Timer1Timer(*this); };
  window.onClose = [this] { FormCloseQuery(*this); };
}

}  // namespace vetrix
