#include "recognition/key_names.h"

#include <algorithm>
#include <array>

#include "platform/system.h"
#include "store/script_field.h"

namespace vetrix {
namespace {

bool StripPrefix(std::string_view& rest, std::string_view prefix) {
  if (rest.size() < prefix.size() ||
      !EqualsIgnoringAsciiCase(rest.substr(0, prefix.size()), prefix))
    return false;
  rest.remove_prefix(prefix.size());
  return true;
}

// The fixed names by low byte, empty where the layout names the key: a name look-up asks for
// every code in turn.
constexpr auto kFixedNames = [] {
  std::array<std::string_view, 256> names{};
  names[8] = "BkSp";
  names[9] = "Tab";
  names[13] = "Enter";
  names[27] = "Esc";
  constexpr std::string_view kNavigation[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                              "Left",  "Up",   "Right", "Down"};
  for (int i = 0; i < 9; ++i) names[32 + i] = kNavigation[i];
  names[45] = "Ins";
  names[46] = "Del";
  constexpr std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int vk = 48; vk <= 57; ++vk) names[vk] = kCharacters.substr(vk - 48, 1);
  for (int vk = 65; vk <= 90; ++vk) names[vk] = kCharacters.substr(vk - 65 + 10, 1);
  // The numeric keypad's digits have the plain digits' names.
  for (int vk = 96; vk <= 105; ++vk) names[vk] = kCharacters.substr(vk - 96, 1);
  constexpr std::string_view kFunctionKeys[] = {
      "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
      "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
  for (int i = 0; i < 24; ++i) names[112 + i] = kFunctionKeys[i];
  return names;
}();

std::uint32_t LengthBit(std::size_t length) { return 1u << std::min<std::size_t>(length, 31); }

}  // namespace

std::string KeyName(std::uint16_t code) {
  const std::string_view fixed = kFixedNames[code & 0xFF];
  return fixed.empty() ? platform::LayoutKeyName(static_cast<std::uint8_t>(code & 0xFF))
                       : std::string(fixed);
}

KeyNames::KeyNames() {
  for (int vk = 0; vk < 256; ++vk) {
    names_[vk] = KeyName(static_cast<std::uint16_t>(vk));
    if (!names_[vk].empty()) lengths_ |= LengthBit(names_[vk].size());
  }
}

std::uint16_t KeyNames::CodeOf(std::string_view name) const {
  std::uint16_t bits = 0;
  for (;;) {
    if (StripPrefix(name, "Shift+"))
      bits |= kShiftBit;
    else if (StripPrefix(name, "^"))
      bits |= kCtrlBit;
    else if (StripPrefix(name, "Ctrl+"))
      bits |= kCtrlBit;
    else if (StripPrefix(name, "Alt+"))
      bits |= kAltBit;
    else
      break;
  }
  if (name.empty() || !(lengths_ & LengthBit(name.size()))) return 0;
  // Codes above 255 carry the names of their low 8 bits; the scan reaches them only for names
  // that codes 8..255 do not have, such as a layout's name of codes 0..7, and so never gets past
  // 263 (256 + 7): every later code repeats a name already passed.
  for (std::uint16_t code = 8; code <= 263; ++code) {
    const std::string& known = names_[code & 0xFF];
    if (known.size() == name.size() && EqualsIgnoringAsciiCase(known, name))
      return static_cast<std::uint16_t>(code + bits);
  }
  return 0;
}

std::uint16_t KeyCodeFromName(std::string_view name) { return KeyNames().CodeOf(name); }

std::string HotKeyText(std::uint16_t code) {
  std::string name = KeyName(code);
  if (name.empty()) return {};
  std::string text;
  if (code & kShiftBit) text += "Shift+";
  if (code & kCtrlBit) text += "Ctrl+";
  if (code & kAltBit) text += "Alt+";
  return text + name;
}

}  // namespace vetrix
