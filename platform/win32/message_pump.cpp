// The program's pumps: the main loop, and the one a loop of the program runs after every pass,
// which keeps its hands off input while a modal loop of ours or of the system runs; and the
// message boxes, which are such loops.
#include "base/texts.h"
#include "platform/handler.h"
#include "platform/system.h"
#include "platform/win32/child.h"
#include "platform/win32/win32.h"

namespace vetrix::win32 {
namespace {

int g_modalDepth = 0;

bool ScrollBarPressed(HWND hwnd, LONG bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(hwnd, bar, &info)) return false;
  for (DWORD state : info.rgstate)
    if (state & STATE_SYSTEM_PRESSED) return true;
  return false;
}

// Moving or sizing a window and menus show in the thread's state; a scroll bar's tracking shows
// only as a pressed part of a scroll bar of the window that has the mouse captured.
bool SystemLoopRunning() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetCurrentThreadId(), &info)) return false;
  if (info.flags & (GUI_INMOVESIZE | GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE))
    return true;
  const HWND capture = info.hwndCapture;
  // Only a window of this thread is asked: another thread's could keep us waiting.
  return capture && GetWindowThreadProcessId(capture, nullptr) == GetCurrentThreadId() &&
         (ScrollBarPressed(capture, OBJID_VSCROLL) || ScrollBarPressed(capture, OBJID_HSCROLL));
}

}  // namespace

ModalScope::ModalScope() { ++g_modalDepth; }
ModalScope::~ModalScope() { --g_modalDepth; }
bool ModalScope::Active() { return g_modalDepth > 0 || SystemLoopRunning(); }

}  // namespace vetrix::win32

namespace vetrix::platform {

namespace {

// A dialog's keys go to the dialog manager: Tab, arrows, mnemonics, Esc.
bool DialogKey(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return win32::IsDialogWindow(root) && IsDialogMessageW(root, &msg);
}

void Dispatch(MSG& msg) {
  if (DialogKey(msg)) return;
  if (win32::NavigationKey(msg)) return;
  TranslateMessage(&msg);
  // The window sees every character before the control with the focus, which still gets it.
  win32::PreviewKey(msg);
  DispatchMessageW(&msg);
}

// Whether a pass must look at what the message's handler did. Painting changes nothing a pass
// looks at, and a loop that redraws at every pass would otherwise never rest.
bool Changes(const MSG& msg) { return msg.message != WM_PAINT; }

}  // namespace

bool ProcessMessages() {
  // Most pumps find nothing: one look, which under Wine is one request to its server (a look
  // at the thread's state, and whether a modal loop runs, would be two more). A message sent
  // from another thread is handled inside PeekMessage and never returned: whether it ran a
  // handler tells whether it changed anything.
  const std::uint64_t handlersBefore = g_handlersRun;
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) return g_handlersRun != handlersBefore;
  bool handled = HIWORD(GetQueueStatus(QS_SENDMESSAGE)) != 0 || g_handlersRun != handlersBefore;
  if (!win32::ModalScope::Active()) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      Dispatch(msg);
      handled = handled || Changes(msg);
    }
    return handled;
  }
  // Everything but input, which belongs to the modal loop that is running underneath.
  static constexpr UINT kRanges[][2] = {
      {0, WM_KEYFIRST - 1}, {WM_KEYLAST + 1, WM_MOUSEFIRST - 1}, {WM_MOUSELAST + 1, 0xFFFFFFFF}};
  for (bool any = true; any;) {
    any = false;
    for (const auto& range : kRanges) {
      while (PeekMessageW(&msg, nullptr, range[0], range[1], PM_REMOVE)) {
        DispatchMessageW(&msg);
        any = true;
        handled = handled || Changes(msg);
      }
    }
  }
  return handled;
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void ShowErrorBox(const std::string& message) {
  win32::ModalScope modal;
  MessageBoxW(win32::BoxOwner(), win32::Widen(message).c_str(),
              win32::Widen(texts::kAppTitle).c_str(), MB_OK | MB_ICONERROR);
}

void ShowMessageBox(std::string_view text, std::string_view caption) {
  win32::ModalScope modal;
  MessageBoxW(win32::MainWindowHandle(), win32::Widen(text).c_str(), win32::Widen(caption).c_str(),
              MB_OK | MB_ICONERROR);
}

}  // namespace vetrix::platform
