// The windows and controls the handlers talk to. One declaration, two implementations chosen at
// link time: platform/win32 (real windows) and platform/fake (in-memory, for tests).
//
// Rules built in here once for both worlds: Click() from code runs the click handler at once;
// selecting a list row from code raises no event; a timer that is started while running is not
// restarted, and it expires only while messages are pumped.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "capture/direction.h"

namespace vetrix::platform {

struct Rect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

using Handler = std::function<void()>;

class Window {
 public:
  struct Args {
    std::string_view title;
    std::int32_t width = 0;
    std::int32_t height = 0;
  };
  explicit Window(const Args& args);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  void SetTitle(std::string_view text);
  std::string Title() const;
  void ShowCentered();
  bool Visible() const;
  WindowGeometry Geometry() const;

  Handler onClose;

  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

class Button {
 public:
  struct Args {
    Window& parent;
    Rect rect;
    std::string_view caption;
  };
  explicit Button(const Args& args);
  ~Button();
  Button(const Button&) = delete;
  Button& operator=(const Button&) = delete;

  void SetCaption(std::string_view text);
  std::string Caption() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  Rect Bounds() const;
  void Click();

  Handler onClick;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

class ListBox {
 public:
  struct Args {
    Window& parent;
    Rect rect;
  };
  explicit ListBox(const Args& args);
  ~ListBox();
  ListBox(const ListBox&) = delete;
  ListBox& operator=(const ListBox&) = delete;

  void AddRow(std::string_view text);
  void DeleteRow(int row);
  void SetRowText(int row, std::string_view text);
  int RowCount() const;
  std::string RowText(int row) const;
  // -1 clears the selection. Raises no click event.
  void Select(int row);
  int Selected() const;

  Handler onClick;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

class Timer {
 public:
  Timer(Window& owner, std::uint32_t intervalMs);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void Start();
  void Stop();
  bool Running() const;

  Handler onTimer;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

enum class TrayPicture { Stopped, Running };

// The notification-area icon of the main window.
class TrayIcon {
 public:
  explicit TrayIcon(Window& owner);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  void Add();
  // Puts the picture into the icon record and sends the whole record again.
  void Modify(TrayPicture picture);
  void Delete();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace vetrix::platform
