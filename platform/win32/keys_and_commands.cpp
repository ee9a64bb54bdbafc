// What command scripts send: synthesised keys, and window commands to the window in front.
#include "platform/system.h"
#include "platform/win32/hook_library.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {

namespace {
// Long enough for any window that is alive to minimise, maximise or close.
constexpr UINT kWindowCommandTimeoutMs = 2000;
}  // namespace

std::string LayoutKeyName(std::uint8_t vk) {
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  if (scan == 0) return {};
  wchar_t name[64];
  const int n = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
  return n > 0 ? win32::Narrow(std::wstring_view(name, static_cast<std::size_t>(n)))
               : std::string();
}

std::uint32_t ScanCodeOf(std::uint16_t code) { return MapVirtualKeyA(code, MAPVK_VK_TO_VSC); }

void SendKey(std::uint8_t vk, std::uint32_t scan, bool up) {
  keybd_event(vk, static_cast<BYTE>(scan), up ? KEYEVENTF_KEYUP : 0, 0);
}

void SendToForeground(WindowCommand command) {
  WPARAM sc = SC_CLOSE;
  switch (command) {
    case WindowCommand::Minimize:
      sc = SC_MINIMIZE;
      break;
    case WindowCommand::Maximize:
      sc = SC_MAXIMIZE;
      break;
    case WindowCommand::Restore:
      sc = SC_RESTORE;
      break;
    case WindowCommand::Close:
      sc = SC_CLOSE;
      break;
  }
  // A plain SendMessage to a window whose thread has stopped answering would block us forever.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(GetForegroundWindow(), WM_SYSCOMMAND, sc, 0,
                           SMTO_NORMAL | SMTO_ABORTIFHUNG, kWindowCommandTimeoutMs, &result) &&
      GetLastError() == ERROR_TIMEOUT) {
    // Under Wine the hook library goes deaf while a window hangs; the system calls it hung only
    // a few seconds from now.
    win32::HookLibrary::Get().Doubt();
  }
}

bool ForegroundIsZoomed() { return IsZoomed(GetForegroundWindow()) != FALSE; }

}  // namespace vetrix::platform
