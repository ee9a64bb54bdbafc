// What the program's start-up would cost if it only showed its window, for the benchmark under
// Wine: the tray utility's window and icon with the main window's standard controls in it, as
// many and of the same classes (two lists of 101 rows, a drop-down of 100 lines, buttons, check
// boxes, radio buttons in a group box, a hot-key field, a number field with arrows), in the same
// font. It reads no file, unless started as `controls_window read`: then, before it builds its
// controls, it reads every key of the gesture.ini in its current folder one by one, as the
// program reads its profile. Closing the window removes the icon and ends it.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <string>

#include "tool_support.h"

namespace {

constexpr int kRows = 101;
constexpr int kCommandLines = 100;

HFONT g_font = nullptr;

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle,
           RECT r) {
  HWND hwnd =
      CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right,
                      r.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
  return hwnd;
}

// Left, top, width, height, as the main window places them.
void Controls(HWND w) {
  const DWORD button = WS_TABSTOP | BS_PUSHBUTTON, check = WS_TABSTOP | BS_AUTOCHECKBOX;
  Child(w, L"STATIC", L"", SS_BITMAP, 0, {0, 0, 209, 281});  // the drawing area
  Child(w, L"BUTTON", L"Старт", button, 0, {8, 288, 75, 25});
  Child(w, L"BUTTON", L"Запись", button, 0, {88, 288, 83, 25});
  const DWORD list = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  HWND numbers = Child(w, L"LISTBOX", L"", list, WS_EX_CLIENTEDGE, {208, 0, 30, 281});
  Child(w, L"BUTTON", L"Удалить", button, 0, {232, 288, 75, 25});
  HWND actions = Child(w, L"LISTBOX", L"", list, WS_EX_CLIENTEDGE, {240, 0, 345, 281});
  for (HWND box : {numbers, actions}) SendMessageW(box, LB_SETITEMHEIGHT, 0, 13);
  HWND hotKey = Child(w, HOTKEY_CLASSW, L"", WS_TABSTOP, WS_EX_CLIENTEDGE, {8, 320, 121, 19});
  SendMessageW(hotKey, HKM_SETRULES, HKCOMB_S, MAKELPARAM(0, 0));
  Child(w, L"BUTTON", L"Горячая клавиша", check, 0, {136, 320, 113, 17});
  HWND edit =
      Child(w, L"EDIT", L"15", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, {176, 288, 49, 22});
  HWND arrows =
      Child(w, UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, {});
  SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(arrows, UDM_SETRANGE32, 1, 30);
  SendMessageW(arrows, UDM_SETPOS32, 0, 15);
  Child(w, L"BUTTON", L"Точная запись", check, 0, {248, 320, 97, 17});
  Child(w, L"BUTTON", L"Скрыть", button, 0, {512, 288, 75, 25});
  Child(w, L"BUTTON", L"", BS_GROUPBOX, 0, {320, 280, 185, 41});
  Child(w, L"BUTTON", L"Использовать кнопки мыши", check, 0, {323, 287, 166, 17});
  const DWORD radio = WS_TABSTOP | BS_AUTORADIOBUTTON;
  Child(w, L"BUTTON", L"Левая", radio | WS_GROUP, 0, {323, 302, 57, 17});
  Child(w, L"BUTTON", L"Правая", radio, 0, {442, 302, 57, 17});
  Child(w, L"BUTTON", L"Средняя", radio, 0, {376, 302, 63, 17});
  HWND commands =
      Child(w, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
            {8, 344, 417, 21 + 200});
  Child(w, L"BUTTON", L"Добавить", button, 0, {432, 344, 75, 25});
  Child(w, L"BUTTON", L"Удалить", button, 0, {512, 344, 75, 25});

  wchar_t text[96];
  for (int i = 0; i < kRows; ++i) {
    std::swprintf(text, 96, L"%d", i + 1);
    SendMessageW(numbers, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    std::swprintf(text, 96, L"C:\\Program Files\\Tool %d\\tool%d.exe /open", i, i);
    SendMessageW(actions, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  for (int i = 0; i < kCommandLines; ++i) {
    std::swprintf(text, 96, L"Команда %d;max", i + 1);
    SendMessageW(commands, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}

// The names the routine lists, "a\0b\0\0", in a buffer grown until the list fits.
std::string ProfileNames(const char* section, const char* file) {
  std::string names(4096, '\0');
  for (;;) {
    const DWORD n = GetPrivateProfileStringA(section, nullptr, "", names.data(),
                                             static_cast<DWORD>(names.size()), file);
    if (n + 2 < names.size()) return names.substr(0, n);
    names.assign(names.size() * 2, '\0');
  }
}

// Through the same routine and the same file name as the program, one call per key, each value
// into a buffer of the program's size: what reading the profile alone costs.
void ReadEveryKey() {
  const char* file = ".\\gesture.ini";
  const std::string sections = ProfileNames(nullptr, file);
  for (const char* section = sections.c_str(); *section; section += std::strlen(section) + 1) {
    const std::string keys = ProfileNames(section, file);
    for (const char* key = keys.c_str(); *key; key += std::strlen(key) + 1) {
      char value[2048];
      GetPrivateProfileStringA(section, key, "", value, sizeof value, file);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  if (!InitCommonControlsEx(&icc)) return 3;
  g_font =
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");

  test_tool::RegisterToolClass(L"BenchControlsWindow", test_tool::TrayWindowProc);
  // Filled while still hidden, as the program fills its window before showing it.
  HWND hwnd = CreateWindowExW(0, L"BenchControlsWindow", L"controls window", WS_OVERLAPPEDWINDOW,
                              100, 100, test_tool::kBaselineWidth, test_tool::kBaselineHeight,
                              nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 4;
  if (std::wcscmp(commandLine, L"read") == 0) ReadEveryKey();
  Controls(hwnd);

  if (!test_tool::AddTrayIcon(hwnd, L"controls window")) return 5;
  ShowWindow(hwnd, SW_SHOW);
  return test_tool::RunMessageLoop();
}
