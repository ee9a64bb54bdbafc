// The windows and controls the handlers talk to. One declaration, two implementations chosen at
// link time: platform/win32 (real windows) and platform/fake (in-memory, for the tests and the
// checker).
//
// Rules kept by both worlds: Click() from code runs the click handler at once; setting a check
// box runs its handler exactly when its state changes; checking a radio button unchecks the
// others of its group; setting the spin field's text runs onChange exactly when the text
// changes; selecting a list row from code raises no event; a timer that is started while
// running is not restarted, and it expires only while messages are pumped. The first three are
// written once, in control_rules.cpp, over the small per-platform primitives declared private
// here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "base/path.h"

namespace vetrix::platform {

using Handler = std::function<void()>;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class MouseButton { Left, Right, Middle };

class CheckBox;
class GroupBox;
class PopupMenu;

class Window {
 public:
  // Sizes at 96 DPI: the window opens at them scaled to the DPI of its monitor, and scales
  // them again when it moves to a monitor of another DPI.
  struct Args {
    std::string_view title;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // The smallest outer size the user can drag the window to.
    std::int32_t minimumWidth = 0;
    std::int32_t minimumHeight = 0;
    // Set: a dialog owned by that window, of a fixed size, whose width and height are its
    // client area's. It stays above its owner and leaves it usable; Esc, like the close box,
    // runs onClose. Its controls are made as the main window's are.
    Window* owner = nullptr;
  };
  explicit Window(const Args& args);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  void SetTitle(std::string_view text);
  std::string Title() const;
  // The first showing, which ends creation: the first activation follows it.
  void ShowCentered();
  void Show();
  void Hide();
  bool Visible() const;
  // The application window: the program's entry in the taskbar, owner of this window.
  void ShowOwner(bool visible);
  bool OwnerVisible() const;
  // Empties the taskbar entry's window menu.
  void TrimOwnerMenu();
  void BringToFront();
  // A close request, as the close box makes it: runs onClose.
  void Close();
  void Resize(std::int32_t width, std::int32_t height);
  WindowGeometry Geometry() const;
  // The DPI of the monitor the window is on. When it changes (the window was moved to another
  // monitor), the window takes the size the system suggests, its controls take the form font
  // and row heights of the new DPI, and onResize lays them out again.
  std::int32_t Dpi() const;

  Handler onClose;
  // The first time the window becomes the active window, and only then.
  Handler onFirstActivate;
  // Whenever the size is set or changed.
  Handler onResize;
  // A mouse message over the tray icon.
  std::function<void(std::int32_t mouseMessage)> onTrayMessage;
  // A character typed while the window or any of its controls has the focus; the window sees
  // it first and the control still gets it.
  std::function<void(char key)> onKeyPress;
  // The registered hot key was pressed.
  Handler onHotKey;
  // The mouse-hook library saw a button message (its number).
  std::function<void(std::int32_t mouseMessage)> onHookMessage;
  // The mouse-hook library could not set its hook for a while (true), or could again (false).
  std::function<void(bool silent)> onHookSilent;
  // The shell's taskbar was created again (Explorer restarted): tray icons must be re-added.
  Handler onTaskbarCreated;

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
  void SetBounds(Rect bounds);
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
  void SetBounds(Rect bounds);
  Rect Bounds() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
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
  // Opened by a right click, which leaves the selection as it was.
  void SetContextMenu(PopupMenu* menu);
  PopupMenu* ContextMenu() const;

  Handler onClick;
  Handler onDblClick;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// A popup menu of a control or of the tray icon.
class PopupMenu {
 public:
  explicit PopupMenu(Window& owner);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  void AddItem(std::string_view caption, Handler onClick, bool isDefault = false);
  // An item of the extended menu, as Windows has them: shown when `shown` says so as the menu
  // opens, or while Shift is held then (Shift with the right click or with the menu key).
  void AddExtendedItem(std::string_view caption, Handler onClick, std::function<bool()> shown);
  // The items as the menu shows them if it opens now; Choose counts the same way.
  int ItemCount() const;
  std::string ItemCaption(int index) const;
  // Opens at a screen point and returns once an item was chosen or the menu was dismissed.
  void ShowAt(Point screen);
  // Runs an item's handler as choosing it does.
  void Choose(int index);

  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// A frame that holds other controls; their positions are relative to it.
class GroupBox {
 public:
  struct Args {
    Window& parent;
    Rect rect;
  };
  explicit GroupBox(const Args& args);
  ~GroupBox();
  GroupBox(const GroupBox&) = delete;
  GroupBox& operator=(const GroupBox&) = delete;
  void SetBounds(Rect bounds);
  Rect Bounds() const;

  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  friend class CheckBox;
  std::unique_ptr<Impl> impl_;
  // The radio buttons inside, in creation order; each one leaves as it goes.
  std::vector<CheckBox*> radios_;
};

// A check box, or a radio button when `radio` is set. Setting the state from code runs onClick
// exactly when the state changes, as a user's click does; checking a radio button unchecks the
// other radio buttons of its group box without running their handlers.
class CheckBox {
 public:
  struct Args {
    Window& parent;
    GroupBox* group = nullptr;
    Rect rect;
    std::string_view caption;
    bool radio = false;
  };
  explicit CheckBox(const Args& args);
  ~CheckBox();
  CheckBox(const CheckBox&) = delete;
  CheckBox& operator=(const CheckBox&) = delete;

  void SetChecked(bool checked);
  bool Checked() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetBounds(Rect bounds);
  Rect Bounds() const;
  std::string Caption() const;

  Handler onClick;

  struct Impl;

 private:
  // Joins the group box's radio buttons (a radio button with a group only); the first to join
  // opens the group.
  bool JoinGroup(const Args& args);
  void LeaveGroup();
  // Per platform: shows the state without running onClick.
  void ShowChecked(bool checked);

  std::unique_ptr<Impl> impl_;
  GroupBox* group_ = nullptr;
  bool radio_ = false;
};

// The hot-key entry field. Its code is a key-name code: the virtual key in the low 8 bits,
// 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; 0 when empty. Shift alone is not a modifier here: a
// key typed with only Shift is taken without it.
class HotKeyField {
 public:
  struct Args {
    Window& parent;
    Rect rect;
  };
  explicit HotKeyField(const Args& args);
  ~HotKeyField();
  HotKeyField(const HotKeyField&) = delete;
  HotKeyField& operator=(const HotKeyField&) = delete;

  void SetCode(std::uint16_t code);
  std::uint16_t Code() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void Focus();
  bool Focused() const;
  void SetBounds(Rect bounds);
  Rect Bounds() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// A numeric text field with up and down arrows (1..30). onChange runs on every change of the
// text, also one made from code; setting the same text again is no change.
class SpinEdit {
 public:
  struct Args {
    Window& parent;
    Rect rect;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
  };
  explicit SpinEdit(const Args& args);
  ~SpinEdit();
  SpinEdit(const SpinEdit&) = delete;
  SpinEdit& operator=(const SpinEdit&) = delete;

  void SetText(std::string_view text);
  std::string Text() const;
  void SetBounds(Rect bounds);
  Rect Bounds() const;

  Handler onChange;
  // When the field loses the keyboard focus.
  Handler onExit;

  struct Impl;

 private:
  // Per platform: shows the text without running onChange.
  void ShowText(std::string_view text);

  std::unique_ptr<Impl> impl_;
};

// An editable text with a drop-down list of saved lines.
class ComboBox {
 public:
  struct Args {
    Window& parent;
    Rect rect;
    // The drop-down list shows each entry's icon beside it (AddItem with iconOf).
    bool icons = false;
  };
  explicit ComboBox(const Args& args);
  ~ComboBox();
  ComboBox(const ComboBox&) = delete;
  ComboBox& operator=(const ComboBox&) = delete;

  void SetText(std::string_view text);
  std::string Text() const;
  void AddItem(std::string_view text);
  // An entry with the icon of that file (a program's own), in a box made with `icons`.
  void AddItem(std::string_view text, const SystemPath& iconOf);
  void DeleteItem(int index);
  int ItemCount() const;
  std::string ItemText(int index) const;
  // The entry chosen in the drop-down list; -1 for none. Choosing one puts its text in the field.
  int Selected() const;
  void Select(int index);
  void SetBounds(Rect bounds);
  Rect Bounds() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// The drawing area: a bitmap of its own size shown at its place.
class Image {
 public:
  struct Args {
    Window& parent;
    Rect rect;
  };
  explicit Image(const Args& args);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  void SetBounds(Rect bounds);
  Rect Bounds() const;

  // The bitmap keeps its own size, changed only here; what fits of the old picture remains.
  void SetBitmapSize(std::int32_t width, std::int32_t height);
  std::int32_t BitmapWidth() const;
  std::int32_t BitmapHeight() const;
  // Drawing follows GDI: a 1-pixel solid pen, a solid brush; a line includes its first pixel
  // and leaves out its last; rectangles and ellipse boxes leave out their right and bottom.
  void SetPen(Rgb color);
  void SetBrush(Rgb color);
  void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  void Line(Point from, Point to);
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  Rgb Pixel(std::int32_t x, std::int32_t y) const;

  std::function<void(MouseButton button)> onMouseUp;
  Handler onDblClick;

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
  // The tip shown over the icon (code page 1251; the shell shows at most 127 characters). It
  // starts as "Vetrix" and stays with the record, for every later send.
  void SetTip(std::string_view text);
  // The system's notification balloon over the icon, once (code page 1251); the record keeps
  // nothing of it, so later sends do not show it again.
  void ShowBalloon(std::string_view title, std::string_view text);
  void Delete();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace vetrix::platform
