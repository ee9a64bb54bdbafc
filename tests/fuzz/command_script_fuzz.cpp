// Any action text: the script runner sends at most two key events per field, only 8-bit keys,
// and the one-pass field walk agrees with the field rule; any key name looks up without harm.
#include <cstdlib>
#include <string>

#include "platform/fake/world.h"
#include "recognition/command_script.h"
#include "recognition/key_names.h"
#include "store/script_field.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vetrix;
  const std::string text(reinterpret_cast<const char*>(data), size);
  fake::ResetWorld();
  RunCommandScript(text);

  int fields = 0;
  vetrix::ScriptFields walk(text);
  walk.Next();
  for (auto f = walk.Next(); !f.empty(); f = walk.Next()) ++fields;
  auto& world = fake::TheWorld();
  Check(world.keyEvents.size() <= 2u * static_cast<unsigned>(fields));
  Check(world.windowCommands.size() <= static_cast<unsigned>(fields));

  ScriptFields again(text);
  for (int n = 1; n <= 6; ++n) Check(std::string(again.Next()) == ScriptField(text, n));

  const std::uint16_t code = KeyCodeFromName(text);
  if (code != 0)
    Check(EqualsIgnoringAsciiCase(
        KeyName(code), HotKeyText(code).substr(HotKeyText(code).size() - KeyName(code).size())));
  return 0;
}
