// Names of 16-bit key codes: the low 8 bits are a virtual-key code; 0x2000 is Shift, 0x4000
// Ctrl, 0x8000 Alt. Used by key strokes in command scripts and by the stored hot key.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vetrix {

inline constexpr std::uint16_t kShiftBit = 0x2000;
inline constexpr std::uint16_t kCtrlBit = 0x4000;
inline constexpr std::uint16_t kAltBit = 0x8000;

// Name of the low 8 bits: a fixed name, else the keyboard layout's; empty when it has none.
std::string KeyName(std::uint16_t code);

// Prefixes "Shift+", "^", "Ctrl+", "Alt+" in any order and case, then the first code from 8 to
// 597 whose name fits, case-blind. 0 when nothing fits.
std::uint16_t KeyCodeFromName(std::string_view name);

// Every code's name at one moment, for looking up many names in a row as KeyCodeFromName does: a
// script runs without handling messages, and only then can the thread's layout change.
class KeyNames {
 public:
  KeyNames();
  std::uint16_t CodeOf(std::string_view name) const;

 private:
  std::array<std::string, 256> names_;  // by the low 8 bits
  std::uint32_t lengths_ = 0;           // bit n: a name of n characters (31: of 31 or more)
};

// "Shift+", "Ctrl+", "Alt+" for the bits set, then the key's name; empty when it has no name.
std::string HotKeyText(std::uint16_t code);

}  // namespace vetrix
