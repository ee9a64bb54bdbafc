// Reads and pokes the windows of another program in the same Wine desktop, so
// the tests under Wine can assert on what a person would see.
//
// Output is UTF-8, one record per line: a kind, then tab-separated key=value
// fields. Tabs, newlines and backslashes inside values are escaped as \t, \n,
// \r and \\, so a line always splits cleanly on tabs. Rects are
// "left top width height".
//
//   inspector windows [title]       window  hwnd= class= visible= rect= title=
//   inspector dump <title>          window  ... client=  then one child line per
//                                   descendant (a list box's with top=, its first row
//                                   shown, and rowh=, its rows' height) and one item line
//                                   per list row
//   inspector click <title> <caption>   posts BM_CLICK to that child
//   inspector close <title>         posts WM_CLOSE to that window
//   inspector redraw <title> <count>  makes that window and its children repaint `count` times,
//                                   100 ms apart, with no message sent or posted to it
//   inspector acp                   acp ansi= oem=
//   inspector cursor                cursor x= y=
//   inspector prop <title> <name>   prop value=: that window property's word, 0 when unset
//   inspector shown-after <title> [seconds]
//                                   prints "waiting", polls every millisecond for a visible
//                                   top-level window of that title, then
//                                   shown ms= pid= created= seen=: ms from its process's
//                                   creation to that sight; created and seen in Unix ms
//   inspector modules <pid>         module name= size= path=, one per loaded module
//
// Exit code: 0 done, 1 window or child not found, 2 usage.
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Long enough for a busy program, short enough that a hung one fails a test
// instead of stalling it.
constexpr UINT kSendTimeoutMs = 2000;

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

std::string Escape(const std::wstring& w) {
  std::string out;
  for (char c : Utf8(w)) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void Write(DWORD which, const std::string& s) {
  HANDLE h = GetStdHandle(which);
  const char* p = s.data();
  DWORD left = static_cast<DWORD>(s.size());
  while (left > 0) {
    DWORD done = 0;
    if (!WriteFile(h, p, left, &done, nullptr) || done == 0) return;
    p += done;
    left -= done;
  }
}

void Line(const std::string& s) { Write(STD_OUTPUT_HANDLE, s + "\n"); }

int Fail(const std::wstring& message) {
  Write(STD_ERROR_HANDLE, "inspector: " + Utf8(message) + "\n");
  return 1;
}

std::string Hex(HWND h) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(h)));
  return buf;
}

std::string HexValue(unsigned long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%lx", v);
  return buf;
}

std::string Rect(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top);
}

bool Send(HWND h, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result) {
  return SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs,
                             result) != 0;
}

// Reads the window's own copy of its caption; for another process's window
// this never sends a message, so it cannot hang.
std::wstring StoredText(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(h, s.data(), n + 1);
  s.resize(static_cast<size_t>(n > 0 ? n : 0));
  return s;
}

// Asks the control itself, because an edit control's text lives in the control
// rather than in the window's caption.
std::wstring ControlText(HWND h) {
  DWORD_PTR len = 0;
  if (!Send(h, WM_GETTEXTLENGTH, 0, 0, &len)) return StoredText(h);
  std::wstring s(len + 1, L'\0');
  DWORD_PTR got = 0;
  if (!Send(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(s.data()), &got)) return StoredText(h);
  s.resize(got <= len ? got : len);
  return s;
}

std::wstring ClassName(HWND h) {
  wchar_t buf[256];
  int n = GetClassNameW(h, buf, 256);
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

bool SameClass(const std::wstring& a, const wchar_t* b) { return lstrcmpiW(a.c_str(), b) == 0; }

struct TitleSearch {
  const std::wstring* title;  // null: every top-level window
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<TitleSearch*>(lp);
  if (!s->title || StoredText(h) == *s->title) s->found.push_back(h);
  return TRUE;
}

std::vector<HWND> TopLevel(const std::wstring* title) {
  TitleSearch s{title, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// "hwnd=0x..." and "class=Name" pick a window by handle or class, for windows
// without a title such as the taskbar; anything else is an exact title. A
// visible window wins over a hidden one of the same title.
HWND FindTopLevel(const std::wstring& selector) {
  if (selector.rfind(L"hwnd=", 0) == 0) {
    HWND h =
        reinterpret_cast<HWND>(static_cast<ULONG_PTR>(wcstoull(selector.c_str() + 5, nullptr, 0)));
    return IsWindow(h) ? h : nullptr;
  }
  std::vector<HWND> all;
  if (selector.rfind(L"class=", 0) == 0) {
    for (HWND h : TopLevel(nullptr))
      if (ClassName(h) == selector.substr(6)) all.push_back(h);
  } else {
    all = TopLevel(&selector);
  }
  for (HWND h : all)
    if (IsWindowVisible(h)) return h;
  return all.empty() ? nullptr : all.front();
}

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> all;
  EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::string WindowLine(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return "window\thwnd=" + Hex(h) + "\tclass=" + Escape(ClassName(h)) +
         "\tvisible=" + (IsWindowVisible(h) ? "1" : "0") + "\trect=" + Rect(r) +
         "\ttitle=" + Escape(StoredText(h));
}

void DumpRows(HWND h, UINT count_msg, UINT len_msg, UINT text_msg, UINT sel_msg) {
  DWORD_PTR count = 0;
  if (!Send(h, count_msg, 0, 0, &count) || static_cast<LONG_PTR>(count) < 0) return;
  DWORD_PTR sel = 0;
  Send(h, sel_msg, 0, 0, &sel);
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR len = 0;
    if (!Send(h, len_msg, i, 0, &len) || static_cast<LONG_PTR>(len) < 0) continue;
    std::wstring s(len + 1, L'\0');
    DWORD_PTR got = 0;
    if (!Send(h, text_msg, i, reinterpret_cast<LPARAM>(s.data()), &got) ||
        static_cast<LONG_PTR>(got) < 0)
      continue;
    s.resize(got <= len ? got : len);
    Line("item\thwnd=" + Hex(h) + "\tindex=" + std::to_string(i) +
         "\tselected=" + (i == sel ? "1" : "0") + "\ttext=" + Escape(s));
  }
}

int Dump(const std::wstring& title) {
  HWND top = FindTopLevel(title);
  if (!top) return Fail(L"no window titled \"" + title + L"\"");
  RECT client{};
  GetClientRect(top, &client);
  Line(WindowLine(top) + "\tclient=" + std::to_string(client.right) + " " +
       std::to_string(client.bottom) + "\tenabled=" + (IsWindowEnabled(top) ? "1" : "0"));
  for (HWND h : Descendants(top)) {
    std::wstring cls = ClassName(h);
    RECT screen{};
    GetWindowRect(h, &screen);
    RECT rel = screen;
    MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rel), 2);
    std::string line =
        "child\thwnd=" + Hex(h) + "\tparent=" + Hex(GetParent(h)) + "\tclass=" + Escape(cls) +
        "\tid=" + std::to_string(GetDlgCtrlID(h)) +
        "\tstyle=" + HexValue(static_cast<unsigned long>(GetWindowLongW(h, GWL_STYLE))) +
        "\trect=" + Rect(screen) + "\tcrect=" + Rect(rel) +
        "\tvisible=" + (IsWindowVisible(h) ? "1" : "0") +
        "\tenabled=" + (IsWindowEnabled(h) ? "1" : "0");
    if (SameClass(cls, L"Button")) {
      DWORD_PTR check = 0;
      Send(h, BM_GETCHECK, 0, 0, &check);
      line += "\tchecked=" + std::to_string(check);
    } else if (SameClass(cls, L"ListBox")) {
      DWORD_PTR top = 0;
      if (Send(h, LB_GETTOPINDEX, 0, 0, &top)) line += "\ttop=" + std::to_string(top);
      DWORD_PTR row = 0;
      if (Send(h, LB_GETITEMHEIGHT, 0, 0, &row)) line += "\trowh=" + std::to_string(row);
    }
    Line(line + "\ttext=" + Escape(ControlText(h)));
    if (SameClass(cls, L"ListBox"))
      DumpRows(h, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL);
    else if (SameClass(cls, L"ComboBox"))
      DumpRows(h, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL);
  }
  return 0;
}

int Click(const std::wstring& title, const std::wstring& caption) {
  HWND top = FindTopLevel(title);
  if (!top) return Fail(L"no window titled \"" + title + L"\"");
  for (HWND h : Descendants(top)) {
    if (ControlText(h) == caption) {
      // Posted, so a handler that runs a modal loop cannot block us.
      PostMessageW(h, BM_CLICK, 0, 0);
      return 0;
    }
  }
  return Fail(L"no child captioned \"" + caption + L"\" in \"" + title + L"\"");
}

double UnixMs(const FILETIME& t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  constexpr ULONGLONG kUnixEpoch = 116444736000000000ull;  // 1970 in 100 ns steps from 1601
  return static_cast<double>(v.QuadPart - kUnixEpoch) / 10000.0;
}

std::string Ms(double ms) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", ms);
  return buf;
}

// Started before the program, so that the moment of sight is late by one poll at most.
int ShownAfter(const std::wstring& title, DWORD seconds) {
  // Reading another process's window is a round trip to wineserver, which the starting program
  // needs too; so the windows that were there before it are left out of every poll.
  std::vector<HWND> before = TopLevel(nullptr);
  std::sort(before.begin(), before.end());
  Line("waiting");
  const ULONGLONG deadline = GetTickCount64() + 1000ull * seconds;
  HWND shown = nullptr;
  while (!shown) {
    for (HWND h : TopLevel(nullptr)) {
      if (std::binary_search(before.begin(), before.end(), h)) continue;
      if (IsWindowVisible(h) && StoredText(h) == title) shown = h;
    }
    if (shown) break;
    if (GetTickCount64() > deadline) return Fail(L"no visible window titled \"" + title + L"\"");
    Sleep(1);
  }
  FILETIME seen;
  GetSystemTimePreciseAsFileTime(&seen);
  DWORD pid = 0;
  GetWindowThreadProcessId(shown, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  FILETIME created{}, exited{}, kernel{}, user{};
  const bool timed = process && GetProcessTimes(process, &created, &exited, &kernel, &user);
  if (process) CloseHandle(process);
  if (!timed) return Fail(L"no creation time for process " + std::to_wstring(pid));
  Line("shown\tms=" + Ms(UnixMs(seen) - UnixMs(created)) + "\tpid=" + std::to_string(pid) +
       "\tcreated=" + Ms(UnixMs(created)) + "\tseen=" + Ms(UnixMs(seen)));
  return 0;
}

int Modules(DWORD pid) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (snap == INVALID_HANDLE_VALUE)
    return Fail(L"no module list of process " + std::to_wstring(pid));
  MODULEENTRY32W m{};
  m.dwSize = sizeof m;
  for (BOOL more = Module32FirstW(snap, &m); more; more = Module32NextW(snap, &m))
    Line("module\tname=" + Escape(m.szModule) + "\tsize=" + std::to_string(m.modBaseSize) +
         "\tpath=" + Escape(m.szExePath));
  CloseHandle(snap);
  return 0;
}

int Usage() {
  Write(STD_ERROR_HANDLE,
        "usage: inspector windows [title] | dump <title> | click <title> <caption> |"
        " close <title> | redraw <title> <count> | acp | cursor | shown-after <title> [seconds] |"
        " modules <pid>\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  std::wstring cmd = argv[1];
  if (cmd == L"windows" && argc <= 3) {
    std::wstring title = argc == 3 ? argv[2] : L"";
    for (HWND h : TopLevel(argc == 3 ? &title : nullptr)) Line(WindowLine(h));
    return 0;
  }
  if (cmd == L"dump" && argc == 3) return Dump(argv[2]);
  if (cmd == L"click" && argc == 4) return Click(argv[2], argv[3]);
  if (cmd == L"close" && argc == 3) {
    HWND top = FindTopLevel(argv[2]);
    if (!top) return Fail(L"no window titled \"" + std::wstring(argv[2]) + L"\"");
    PostMessageW(top, WM_CLOSE, 0, 0);
    return 0;
  }
  if (cmd == L"redraw" && argc == 4) {
    HWND top = FindTopLevel(argv[2]);
    if (!top) return Fail(L"no window titled \"" + std::wstring(argv[2]) + L"\"");
    for (unsigned long i = wcstoul(argv[3], nullptr, 10); i > 0; --i) {
      RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      Sleep(100);
    }
    return 0;
  }
  if (cmd == L"prop" && argc == 4) {
    HWND top = FindTopLevel(argv[2]);
    if (!top) return Fail(L"no window titled \"" + std::wstring(argv[2]) + L"\"");
    const auto word = reinterpret_cast<std::uintptr_t>(GetPropW(top, argv[3]));
    Line("prop\tvalue=" + std::to_string(word));
    return 0;
  }
  if (cmd == L"acp" && argc == 2) {
    Line("acp\tansi=" + std::to_string(GetACP()) + "\toem=" + std::to_string(GetOEMCP()));
    return 0;
  }
  if (cmd == L"cursor" && argc == 2) {
    POINT p{};
    GetCursorPos(&p);
    Line("cursor\tx=" + std::to_string(p.x) + "\ty=" + std::to_string(p.y));
    return 0;
  }
  if (cmd == L"shown-after" && (argc == 3 || argc == 4))
    return ShownAfter(argv[2], argc == 4 ? static_cast<DWORD>(wcstoul(argv[3], nullptr, 10)) : 30);
  if (cmd == L"modules" && argc == 3)
    return Modules(static_cast<DWORD>(wcstoul(argv[2], nullptr, 0)));
  return Usage();
}
