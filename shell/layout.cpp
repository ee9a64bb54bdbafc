#include "shell/layout.h"

#include "capture/gesture_view.h"
#include "window/main_window.h"

namespace vetrix {

void OnResize(MainWindow& w) {
  const WindowGeometry g = w.frame.Geometry();
  const ControlPlaces p = PlacesFor(g.clientWidth, g.clientHeight, w.frame.Dpi());
  w.drawingArea.SetBounds(p.drawingArea);
  w.gestureList.SetBounds(p.gestureList);
  w.actionList.SetBounds(p.actionList);
  w.startButton.SetBounds(p.startButton);
  w.recordButton.SetBounds(p.recordButton);
  w.deleteGestureButton.SetBounds(p.deleteGestureButton);
  w.hideButton.SetBounds(p.hideButton);
  w.scaleField.SetBounds(p.scaleField);
  w.mouseGroup.SetBounds(p.mouseGroup);
  w.mouseTriggerBox.SetBounds(p.mouseTriggerBox);
  w.leftButtonRadio.SetBounds(p.leftButtonRadio);
  w.middleButtonRadio.SetBounds(p.middleButtonRadio);
  w.rightButtonRadio.SetBounds(p.rightButtonRadio);
  w.hotKeyField.SetBounds(p.hotKeyField);
  w.hotKeyModeBox.SetBounds(p.hotKeyModeBox);
  w.exactModeBox.SetBounds(p.exactModeBox);
  w.savedCommandBox.SetBounds(p.savedCommandBox);
  w.addCommandButton.SetBounds(p.addCommandButton);
  w.deleteCommandButton.SetBounds(p.deleteCommandButton);

  if (w.state.windowActivated) {
    const Rect area = w.drawingArea.Bounds();
    w.state.drawingRect = {0, 0, area.width, area.height};
    w.drawingArea.SetBitmapSize(area.width, area.height);
  }
  DrawGesture(w);
}

}  // namespace vetrix
