#include "store/gesture_table.h"

#include <algorithm>

namespace vetrix {

void RemoveGesture(GestureTable& t, int d) {
  const int count = TableSize(t);
  if (d < 0 || d >= count) return;
  for (int j = d + 1; j < count; ++j) {
    t.action[j - 1] = std::move(t.action[j]);
    std::copy(std::begin(t.angles[j]), std::end(t.angles[j]), std::begin(t.angles[j - 1]));
    t.strokeCount[j - 1] = t.strokeCount[j];
  }
  const int last = count - 1;
  t.action[last].clear();
  t.strokeCount[last] = 0;
  t.gestureCount = last;
}

}  // namespace vetrix
