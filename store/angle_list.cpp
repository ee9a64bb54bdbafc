#include "store/angle_list.h"

#include "base/error.h"
#include "store/number.h"

namespace vetrix {
namespace {

std::int32_t PieceValue(std::string_view piece) {
  const auto v = ParseInt32(piece);
  if (!v) throw Error("'" + std::string(piece) + "' is not a valid integer value");
  return *v;
}

}  // namespace

void ParseAngleList(std::string_view s, std::int32_t (&row)[kAngleRowSize],
                    std::int32_t& strokeCount) {
  int k = 0;
  auto store = [&](std::string_view piece) {
    const std::int32_t v = PieceValue(piece);
    if (k < kAngleRowSize) row[k] = v;
  };
  for (std::size_t blank = s.find(' '); blank != std::string_view::npos; blank = s.find(' ')) {
    store(s.substr(0, blank));
    s.remove_prefix(blank + 1);
    ++k;
  }
  if (!s.empty()) store(s);
  strokeCount = k < kAngleRowSize ? k + 1 : kAngleRowSize;
}

std::string AngleListText(const std::int32_t* angles, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += IntToText(angles[i]);
    text += ' ';
  }
  return text;
}

}  // namespace vetrix
