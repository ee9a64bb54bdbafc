// What a user sees of recognition besides its actions: the trail of a gesture being drawn, on top
// of every window of the virtual screen, and a short tip near the pointer. Neither ever takes the
// focus, a click or a key. Nothing of either exists at rest: the trail's surface lives from
// OpenTrail to CloseTrail, the tip's window and its timer while the tip shows.
#pragma once

#include <string_view>

#include "base/geometry.h"

namespace vetrix::platform {

// Makes the trail's surface, empty, over the whole virtual screen.
void OpenTrail();
// Draws a line from the last point to `to` (screen pixels); the first point after OpenTrail or
// LiftTrail only places the pen.
void ExtendTrail(Point to);
// The next point starts a new line, away from the last one.
void LiftTrail();
// Erases what is drawn; the surface stays.
void ClearTrail();
// Destroys the surface and everything drawn on it.
void CloseTrail();

// How long a tip shows.
inline constexpr unsigned kTipMs = 1000;
// Shows `text` (code page 1251) near the pointer at `pointer` for kTipMs, replacing a tip that
// still shows.
void ShowTip(std::string_view text, Point pointer);

// How far the pointer may go from a press at `at`, in x and in y either way, and still make a
// click: the system's drag rectangle, in the pixels of that point's monitor.
Size DragSlop(Point at);

}  // namespace vetrix::platform
