#include "store/gesture_table.h"

#include <algorithm>

namespace vetrix {

void RemoveGesture(GestureTable& t, int d) {
  const int count = TableSize(t);
  if (d < 0 || d >= count) return;
  for (int j = d + 1; j < count; ++j) {
    t.Action[j - 1] = std::move(t.Action[j]);
    std::copy(std::begin(t.Angles[j]), std::end(t.Angles[j]), std::begin(t.Angles[j - 1]));
    t.SegmentCount[j - 1] = t.SegmentCount[j];
  }
  const int last = count - 1;
  t.Action[last].clear();
  t.SegmentCount[last] = 0;
  t.GestureCount = last;
}

}  // namespace vetrix
