// The gesture table. A gesture has no name: its index is its row in both lists and the source
// of its keys in gesture.ini. Nothing about a gesture is allocated per recording or per pass;
// the arrays are fixed at 101 entries.
#pragma once

#include <cstdint>
#include <string>

namespace vetrix {

inline constexpr int kMaxGestures = 101;
inline constexpr int kMaxStrokes = 101;
inline constexpr std::int32_t kAngleStep = 30;
// A movement matches a stroke less than this many degrees away from it.
inline constexpr std::int32_t kAngleTolerance = 45;
// How far the hand must move for a movement to count: pixels at 96 DPI, more than this.
inline constexpr std::int32_t kCountedMovement = 20;
// A matching attempt that has not completed within this time ends.
inline constexpr std::uint32_t kAttemptTimeLimitMs = 3000;

struct GestureTable {
  std::int32_t angles[kMaxGestures][kMaxStrokes]{};
  std::int32_t strokeCount[kMaxGestures]{};
  std::string action[kMaxGestures];
  std::int32_t matchProgress[kMaxGestures]{};
  std::int32_t gestureCount = 0;
};

// The number of table entries a walk over the table may visit, whatever gestureCount holds.
inline int TableSize(const GestureTable& table) {
  const std::int32_t n = table.gestureCount;
  return n < 0 ? 0 : (n > kMaxGestures ? kMaxGestures : n);
}

// The number of strokes of a gesture that may be read as strokes.
inline int ReadableStrokeCount(const GestureTable& table, int gesture) {
  const std::int32_t n = table.strokeCount[gesture];
  return n < 0 ? 0 : (n > kMaxStrokes ? kMaxStrokes : n);
}

// Removes gesture `index`, keeping the order of the others. Progress counters stay in place:
// recognition resets them at every start.
void RemoveGesture(GestureTable& table, int index);

}  // namespace vetrix
