// Any action text through the script runner and the key-name lookup: these two calls are here
// for the sanitizers alone (no out-of-range read, no overflow, whatever the text). The field
// split is checked against the plain field rule, which is written apart from the program's.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fake/world.h"
#include "recognition/command_script.h"
#include "recognition/key_names.h"
#include "store/script_field.h"
#include "support/field_rule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vetrix;
  const std::string text(reinterpret_cast<const char*>(data), size);
  fake::ResetWorld();
  RunCommandScript(text);
  KeyCodeFromName(text);

  ScriptFields walk(text);
  const std::vector<std::string> fields = testing::PlainFields(text);
  for (int n = 1; n <= 8; ++n) {
    const std::string want = n <= static_cast<int>(fields.size()) ? fields[n - 1] : std::string();
    if (ScriptField(text, n) != want || std::string(walk.Next()) != want) std::abort();
  }
  // Nothing of one input outlives it, so that more allocations than frees mean a leak: libFuzzer
  // then runs the input again to look for one.
  fake::ResetWorld();
  return 0;
}
