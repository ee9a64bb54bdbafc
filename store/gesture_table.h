// The gesture table. A gesture has no name: its index is its row in both lists and the source
// of its keys in gesture.ini. Nothing about a gesture is allocated per recording or per pass;
// the arrays are fixed at 101 entries.
#pragma once

#include <cstdint>
#include <string>

namespace vetrix {

inline constexpr int kMaxGestures = 101;
inline constexpr int kMaxSegments = 101;
inline constexpr std::int32_t AngleStep = 30;
inline constexpr std::int32_t AngleTolerance = 45;

struct GestureTable {
  std::int32_t angles[kMaxGestures][kMaxSegments]{};
  std::int32_t segmentCount[kMaxGestures]{};
  std::string action[kMaxGestures];
  std::int32_t matchProgress[kMaxGestures]{};
  std::int32_t gestureCount = 0;
};

// The number of table entries a walk over the table may visit, whatever gestureCount holds.
inline int TableSize(const GestureTable& t) {
  return t.gestureCount < 0 ? 0 : (t.gestureCount > kMaxGestures ? kMaxGestures : t.gestureCount);
}

// The number of strokes of gesture j that may be read as strokes.
inline int StrokeCount(const GestureTable& t, int j) {
  const std::int32_t n = t.segmentCount[j];
  return n < 0 ? 0 : (n > kMaxSegments ? kMaxSegments : n);
}

// Removes gesture `index`, keeping the order of the others. Progress counters stay in place:
// recognition resets them at every start.
void RemoveGesture(GestureTable& table, int index);

}  // namespace vetrix
