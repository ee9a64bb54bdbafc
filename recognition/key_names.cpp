#include "recognition/key_names.h"

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

}  // namespace

std::string KeyName(std::uint16_t code) {
  static constexpr const char* kNavigation[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                                "Left",  "Up",   "Right", "Down"};
  const int vk = code & 0xFF;
  if (vk == 8) return "BkSp";
  if (vk == 9) return "Tab";
  if (vk == 13) return "Enter";
  if (vk == 27) return "Esc";
  if (vk >= 32 && vk <= 40) return kNavigation[vk - 32];
  if (vk == 45) return "Ins";
  if (vk == 46) return "Del";
  if (vk >= 48 && vk <= 57) return std::string(1, static_cast<char>(vk));
  if (vk >= 65 && vk <= 90) return std::string(1, static_cast<char>(vk));
  // The numeric keypad's digits have the plain digits' names.
  if (vk >= 96 && vk <= 105) return std::string(1, static_cast<char>('0' + vk - 96));
  if (vk >= 112 && vk <= 135) return "F" + std::to_string(vk - 111);
  return platform::LayoutKeyName(static_cast<std::uint8_t>(vk));
}

std::uint16_t KeyCodeFromName(std::string_view name) {
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
  if (name.empty()) return 0;
  // Codes above 255 carry the names of their low 8 bits; the scan reaches them only for names
  // that codes 8..255 do not have, such as a layout's name of codes 0..7.
  for (std::uint16_t code = 8; code <= 597; ++code) {
    if (EqualsIgnoringAsciiCase(KeyName(code), name))
      return static_cast<std::uint16_t>(code + bits);
  }
  return 0;
}

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
