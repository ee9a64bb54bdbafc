// The gesture table and everything the handlers share. A gesture has no name: its index is its
// row in both lists and the source of its keys in gesture.ini. Nothing about a gesture is
// allocated per recording or per pass; the arrays are fixed at 101 entries.
#pragma once

#include <cstdint>
#include <string>

namespace vetrix {

inline constexpr int kMaxGestures = 101;
inline constexpr int kMaxSegments = 101;
inline constexpr std::int32_t AngleStep = 30;
inline constexpr std::int32_t AngleTolerance = 45;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct GestureTable {
  std::int32_t Angles[kMaxGestures][kMaxSegments]{};
  std::int32_t SegmentCount[kMaxGestures]{};
  std::string Action[kMaxGestures];
  std::int32_t MatchProgress[kMaxGestures]{};
  std::int32_t GestureCount = 0;
};

// The number of table entries a walk over the table may visit, whatever GestureCount holds.
inline int TableSize(const GestureTable& t) {
  return t.GestureCount < 0 ? 0 : (t.GestureCount > kMaxGestures ? kMaxGestures : t.GestureCount);
}

// The number of strokes of gesture j that may be read as strokes.
inline int StrokeCount(const GestureTable& t, int j) {
  const std::int32_t n = t.SegmentCount[j];
  return n < 0 ? 0 : (n > kMaxSegments ? kMaxSegments : n);
}

// Removes gesture `index`, keeping the order of the others. Progress counters stay in place:
// recognition resets them at every start.
void RemoveGesture(GestureTable& table, int index);

// Components and direction of the last measured movement, shared by recording and recognition.
struct MoveWork {
  float MoveDx = 0;
  float MoveDy = 0;
  float MoveAngle = 0;
};

struct DrawingRectangle {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct SharedState {
  GestureTable table;

  bool Stopped = true;
  bool OneShot = false;
  bool PlaybackActive = false;
  bool PlacingStart = false;
  bool CommitRequested = false;
  bool FormActivated = false;

  Point CursorPoint, AnchorPoint, StartPoint, PenPoint, PreviewEnd, PlaybackPoint;

  MoveWork move;
  float LastAngle = 0;
  std::int32_t RecordedSegments = 0;
  std::int32_t PlaybackStep = 0;
  std::int32_t MatchFailures = 0;
  std::string AngleListText;
  std::string ExeDirectory;
  std::string ActionDirectory;
  DrawingRectangle DrawingRect;

  std::int32_t HotKeyModifiers = 0;
  std::uint16_t HotKeyCode = 0;
  std::int32_t ButtonMessages[4]{};
};

}  // namespace vetrix
