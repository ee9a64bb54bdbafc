// Any angle list: no write outside the row, a count within 1..101, and what is parsed writes
// back as a list that parses to the same strokes.
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "platform/handler.h"
#include "store/angle_list.h"
#include "store/number.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto n = vetrix::ParseInt32(text))
    Check(vetrix::ParseInt32(vetrix::IntToText(*n)) == n);

  // Its own heap block, so ASan sees any cell past the row.
  struct Row {
    std::int32_t cells[vetrix::kAngleRowSize];
  };
  auto row = std::make_unique<Row>();
  std::int32_t count = 0;
  try {
    vetrix::ParseAngleList(text, row->cells, count);
  } catch (const vetrix::Error&) {
    return 0;
  }
  Check(count >= 1 && count <= vetrix::kAngleRowSize);

  std::string again = vetrix::AngleListText(row->cells, count);
  again.pop_back();
  auto row2 = std::make_unique<Row>();
  std::int32_t count2 = 0;
  vetrix::ParseAngleList(again, row2->cells, count2);
  Check(count2 == count);
  for (int i = 0; i < count; ++i) Check(row2->cells[i] == row->cells[i]);
  return 0;
}
