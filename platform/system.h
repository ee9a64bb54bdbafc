// Process-wide services of the platform: cursor and clock, the message pump, the shell, keys and
// the window in front, the activation triggers, the message box and open dialog, and the
// single-instance guard.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "base/path.h"

namespace vetrix::platform {

Point GetCursorPos();
Size ScreenSize();
// The DPI of the monitor at a screen point (of the nearest monitor off the screens); the
// system's DPI where the system cannot say per monitor.
std::int32_t DpiAt(Point screen);
void SetCursorPos(Point to);
void Sleep(std::uint32_t ms);
// Milliseconds on the system's clock (virtual in the fake world).
std::uint64_t TickCountMs();
// The date and time on the user's clock, to the second.
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
LocalTime LocalTimeNow();

// What ended a wait for a message or a pointer move.
enum class Woken {
  // The hook library's word on moves cannot be had or is doubted now (no library, a window
  // hangs, a look found the pointer moved unheard): the caller polls instead.
  kNotWaiting,
  kPointerMoved,
  kMessage,
};
// Waits until a message arrives or the pointer moves, without a time limit, while the hook
// library's word can be trusted (platform/hook_trust.h).
Woken WaitForMessageOrPointerMove();

// Dispatches every pending message, then returns: true when it handled any. Handlers run
// re-entrantly from here.
bool ProcessMessages();

// The program's main message loop; the process ends from inside a handler.
void RunMessageLoop();

// Opens a file through the shell with the default verb. Both texts are code page 1251.
void ShellOpen(const std::string& file, const std::string& workingDirectory);

// ---- Keys and the window in front

// The keyboard layout's name of a virtual key; empty when the key has no scan code.
std::string LayoutKeyName(std::uint8_t vk);
// The scan code of a whole 16-bit key code, as the layout maps it (0 when none).
std::uint32_t ScanCodeOf(std::uint16_t code);
// One synthesised key press or release; nothing waits for it to be delivered.
void SendKey(std::uint8_t vk, std::uint32_t scan, bool up);

enum class WindowCommand { Minimize, Maximize, Restore, Close };
// Sends the command to whatever window is in front at this moment and waits for it to be
// handled, but gives up on a window that has stopped responding.
void SendToForeground(WindowCommand command);
bool ForegroundIsZoomed();

// ---- Activation triggers

// The one global hot key of the main window. False when the combination cannot be had.
bool RegisterHotKey(std::int32_t modifiers, std::uint16_t key);
void UnregisterHotKey();

// The mouse-hook library: button presses and releases reach the main window as messages.
void InstallMouseHook();
void UninstallMouseHook();
// Tells the hook library which button triggers recognition and whether it holds that button's
// press back while recognition decides (0 = no button).
void SetMouseTrigger(int button, bool on, bool holdBack);

// The program's own modal message box, with the error icon and one OK button.
void ShowMessageBox(std::string_view text, std::string_view caption);

// The open-file dialog: a filter of description|pattern pairs and the folder it opens in. The
// chosen file's full path, or nothing when cancelled. It may change the current directory.
std::optional<SystemPath> OpenFileDialog(std::string_view filter,
                                         std::string_view initialDirectory);

// The single-instance guard: true for the first instance only.
bool AcquireInstanceGuard();

[[noreturn]] void ExitProcess(int code);

}  // namespace vetrix::platform
