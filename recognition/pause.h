// Staying out of games: while a program listed in [Exclude] or, with "PauseFullscreen", a
// full-screen window is in front, no gesture starts or fires and the trigger button is left to
// that program. The window in front is followed through the system's notifications, so a pass
// of recognition only reads a flag.
#pragma once

#include <optional>
#include <string>

#include "platform/foreground.h"
#include "store/settings.h"

namespace vetrix {

class MainWindow;

// Why recognition pauses with this window in front: the file name of its program (empty when
// that cannot be known), or nothing when it goes on.
std::optional<std::string> PauseReason(const PauseRules& rules,
                                       const platform::ForegroundWindow& front);

// Follows the window in front from now on, when the rules name anything to pause for; with
// none the program runs exactly as without the feature.
void FollowForeground(MainWindow& window);
// Another window came to the front, or the one in front changed its place.
void OnForegroundChanged(MainWindow& window);

// Makes `tip` (code page 1251) the tray tip whenever recognition is not paused: what the user
// must still see once a pause has ended.
void SetUnpausedTip(MainWindow& window, std::string tip);

}  // namespace vetrix
