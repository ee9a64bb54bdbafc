#include "recognition/command_script.h"

#include <optional>

#include "platform/system.h"
#include "recognition/key_names.h"
#include "store/script_field.h"

namespace vetrix {
namespace {

void KeyStroke(char kind, std::string_view rest, const KeyNames& names) {
  const std::string name = AsciiLower(rest);
  // The Windows keys are fixed here: layouts rarely name them.
  const std::uint16_t code = name == "lwin" ? 91 : name == "rwin" ? 92 : names.CodeOf(name);
  // Only the low 8 bits go out as the key; the scan code comes from the whole code.
  const auto vk = static_cast<std::uint8_t>(code & 0xFF);
  const std::uint32_t scan = platform::ScanCodeOf(code);
  if (kind == '+' || kind == '*') platform::SendKey(vk, scan, false);
  if (kind == '-' || kind == '*') platform::SendKey(vk, scan, true);
}

}  // namespace

void RunCommandScript(std::string_view action) {
  ScriptFields fields(action);
  fields.Next();                  // the display name
  std::optional<KeyNames> names;  // asked for at the first key stroke
  for (std::string_view raw = fields.Next(); !raw.empty(); raw = fields.Next()) {
    const std::string f = AsciiLower(raw);
    if (f == "/mn") {
      platform::SendToForeground(platform::WindowCommand::Minimize);
    } else if (f == "/mx") {
      platform::SendToForeground(platform::ForegroundIsZoomed()
                                     ? platform::WindowCommand::Restore
                                     : platform::WindowCommand::Maximize);
    } else if (f == "/cl") {
      platform::SendToForeground(platform::WindowCommand::Close);
    } else if (f[0] == '+' || f[0] == '-' || f[0] == '*') {
      if (!names) names.emplace();
      KeyStroke(f[0], std::string_view(f).substr(1), *names);
    }
  }
}

}  // namespace vetrix
