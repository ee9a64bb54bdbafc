#include "check/attempts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "base/path.h"
#include "capture/direction.h"
#include "capture/recording.h"
#include "check/analysis.h"
#include "recognition/recognition.h"
#include "recognition/watcher.h"
#include "store/program_actions.h"

namespace vetrix::check {
namespace {

// Where the exact path of an attempt's strokes starts; recognition looks at movements only.
constexpr Point kStrokesOrigin{512, 384};

std::string Degrees(long double angle) {
  return std::to_string(static_cast<long long>(std::llround(angle))) + "°";
}

std::string Pixels(double distance) {
  char text[32];
  const bool whole = distance == std::floor(distance);
  std::snprintf(text, sizeof text, whole ? "%.0f px" : "%.1f px", distance);
  return text;
}

// Follows one replay as a watcher: the gestures each counted movement dropped, the ones the
// timer ended and the ones a firing cut off, each kept at the furthest it got.
class ReplayWatch : public RecognitionWatcher {
 public:
  ReplayWatch(const MainWindow& window, std::uint64_t firstSampleMs)
      : window_(window),
        table_(window.state.table),
        count_(TableSize(table_)),
        firstSampleMs_(firstSampleMs),
        after_(count_, 0),
        best_(count_, 0),
        ends_(count_, Miss{Miss::Kind::kWrongTurn}) {}

  // Once the replay is over: what the gestures still followed were waiting for, from the
  // pointer's last place.
  void Finish(Point last) {
    const Point anchor = window_.state.anchorPoint;
    Movement move;
    const float direction = SampleDirection(move, MoveX(anchor, last), MoveY(anchor, last));
    const double distance = std::hypot(static_cast<double>(MoveX(anchor, last)),
                                       static_cast<double>(MoveY(anchor, last)));
    for (int j = 0; j < count_; ++j)
      if (const std::int32_t followed = table_.matchProgress[j]; followed > 0) {
        Miss miss = Missed(Miss::Kind::kTooShort, j, followed);
        miss.direction = direction;
        miss.distance = distance;
        End(miss);
      }
  }

  std::optional<Miss> Nearest() const {
    std::optional<Miss> nearest;
    for (int j = 0; j < count_; ++j)
      if (best_[j] > 0 && (!nearest || best_[j] > nearest->followed)) nearest = ends_[j];
    return nearest;
  }
  const std::optional<Miss>& Shadowed() const { return shadowed_; }
  bool Counted() const { return counted_; }
  float FirstDirection() const { return firstDirection_; }

  void Pumped() override {
    if (started_) return;
    started_ = true;
    startedAt_ = fake::TheWorld().now;
  }

  void DroppedOut(const Dropout& dropout) override {
    Miss miss = Missed(Miss::Kind::kWrongTurn, dropout.row, dropout.followed);
    miss.direction = dropout.direction;
    End(miss);
  }

  void PassFollowed(Point /*anchor*/, bool anchorMoved) override {
    if (!anchorMoved || window_.state.paused) return;
    if (!counted_) firstDirection_ = window_.state.move.angle;
    counted_ = true;
    std::copy(table_.matchProgress, table_.matchProgress + count_, after_.begin());
  }

  void TimedOut() override {
    for (int j = 0; j < count_; ++j)
      if (const std::int32_t followed = table_.matchProgress[j]; followed > 0) {
        Miss miss = Missed(Miss::Kind::kTimer, j, followed);
        miss.ms = Ms();
        End(miss);
      }
  }

  void Fired(const Firing& f) override {
    // Recognition has already set every gesture back: what the others had followed is what the
    // movement of this pass made of them.
    for (int j = 0; j < count_; ++j) {
      if (j == f.row || after_[j] <= 0) continue;
      Miss miss = Missed(Miss::Kind::kShadowed, j, after_[j]);
      miss.ms = Ms();
      miss.firedRow = f.row;
      End(miss);
      if (!fired_ && (!shadowed_ || miss.followed > shadowed_->followed)) shadowed_ = miss;
      after_[j] = 0;
    }
    fired_ = true;
  }

 private:
  Miss Missed(Miss::Kind kind, int j, int followed) const {
    Miss miss{kind};
    miss.row = j;
    miss.followed = followed;
    miss.strokes = ReadableStrokeCount(table_, j);
    if (followed < miss.strokes) {
      miss.wants = table_.angles[j][followed];
      miss.wantsAny = true;
    }
    return miss;
  }

  std::uint64_t Ms() const { return fake::TheWorld().now - startedAt_ + firstSampleMs_; }

  // The gesture's run of strokes has ended; the furthest run is the one kept.
  void End(const Miss& miss) {
    if (miss.followed < best_[miss.row]) return;
    best_[miss.row] = miss.followed;
    ends_[miss.row] = miss;
  }

  const MainWindow& window_;
  const GestureTable& table_;
  const int count_;
  const std::uint64_t firstSampleMs_;
  bool started_ = false;
  std::uint64_t startedAt_ = 0;  // at the end of the run's first pump
  bool counted_ = false;
  float firstDirection_ = 0;
  bool fired_ = false;
  std::vector<std::int32_t> after_;  // progress after the last counted movement
  std::vector<std::int32_t> best_;
  std::vector<Miss> ends_;
  std::optional<Miss> shadowed_;
};

// The replay's watch for as long as it is in scope.
class WatchedReplay {
 public:
  WatchedReplay(MainWindow& window, std::unique_ptr<ReplayWatch> watch)
      : window_(window), watch_(*watch) {
    Watch(window, std::move(watch));
  }
  ~WatchedReplay() { StopWatching(window_, watch_); }
  WatchedReplay(const WatchedReplay&) = delete;
  WatchedReplay& operator=(const WatchedReplay&) = delete;
  ReplayWatch* operator->() { return &watch_; }

 private:
  MainWindow& window_;
  ReplayWatch& watch_;
};

std::vector<std::int32_t> RecordedStrokes(const std::vector<fake::World::Sample>& samples) {
  std::vector<std::int32_t> strokes;
  if (samples.empty()) return strokes;
  Movement move;
  Point anchor = samples.front().to;
  float last = kNoStroke;
  for (const fake::World::Sample& sample : samples) {
    // A trace keeps no DPI: its attempts are explained as at 96.
    const auto angle = FreeStroke(move, anchor, sample.to, last, kBaseDpi);
    if (!angle) continue;
    strokes.push_back(*angle);
    last = static_cast<float>(*angle);
    anchor = sample.to;
    if (strokes.size() >= static_cast<std::size_t>(kMaxStrokes)) break;
  }
  return strokes;
}

std::string Row(int row) { return "row " + std::to_string(row); }

std::string Followed(const Miss& m) {
  return Row(m.row) + " followed " + std::to_string(m.followed) + " of " +
         std::to_string(m.strokes) + " strokes";
}

std::string Wants(const Miss& m) {
  return m.wantsAny ? ", the stroke wants " + Degrees(m.wants) : "";
}

}  // namespace

std::string Explain(const Miss& m) {
  switch (m.kind) {
    case Miss::Kind::kWrongTurn:
      return Followed(m) + "; then the pointer went " + Degrees(m.direction) + Wants(m) + ": " +
             Degrees(kAngleTolerance) + " or more apart";
    case Miss::Kind::kTooShort:
      if (m.distance == 0) return Followed(m) + "; then the pointer stopped" + Wants(m);
      return Followed(m) + "; then the pointer went " + Degrees(m.direction) + " for only " +
             Pixels(m.distance) + Wants(m) + ": too short to count, a movement counts past " +
             Pixels(kCountedMovement);
    case Miss::Kind::kTimer:
      return Followed(m) + "; then the attempt's " + std::to_string(kAttemptTimeLimitMs / 1000) +
             "-second timer ran out, at " + std::to_string(m.ms) + " ms";
    case Miss::Kind::kShadowed:
      return Row(m.row) + " had followed " + std::to_string(m.followed) + " of " +
             std::to_string(m.strokes) + " strokes when " + Row(m.firedRow) + " fired first, at " +
             std::to_string(m.ms) + " ms";
    case Miss::Kind::kNoAction:
      return Row(m.row) + " followed all " + std::to_string(m.strokes) +
             " strokes, but has no action: it never fires";
  }
  return {};
}

std::vector<AttemptReport> ExplainAttempts(LoadedProgram& program,
                                           const std::vector<Attempt>& attempts) {
  std::vector<AttemptReport> reports;
  MainWindow& window = program.window();
  const GestureTable& table = window.state.table;
  for (const Attempt& attempt : attempts) {
    AttemptReport r;
    r.header = attempt.header;
    r.line = attempt.line;
    r.samples = attempt.samples.size();
    // Replayed as the program would run it with that program in front.
    fake::TheWorld().foreground.program = attempt.program;
    r.program = Utf8FromCp1251(attempt.program);
    if (!attempt.samples.empty()) {
      WatchedReplay watch(window,
                          std::make_unique<ReplayWatch>(window, attempt.samples.front().at));
      for (const Firing& f : program.Recognise(attempt.samples))
        r.fires.push_back({f.ms, f.row, Utf8FromCp1251(f.action)});
      watch->Finish(attempt.samples.back().to);
      r.counted = watch->Counted();
      r.firstDirection = watch->FirstDirection();
      r.miss = r.fires.empty() ? watch->Nearest() : watch->Shadowed();
    }
    if (r.miss && r.fires.empty() && r.miss->followed >= r.miss->strokes &&
        ActionIn(window.state.programActions, r.miss->row, attempt.program,
                 table.action[r.miss->row])
            .empty())
      r.miss->kind = Miss::Kind::kNoAction;
    r.drawnRow = !r.fires.empty() ? r.fires.front().row : r.miss ? r.miss->row : -1;

    r.strokes = RecordedStrokes(attempt.samples);
    if (!r.strokes.empty()) {
      const std::vector<Firing> fires = program.Recognise(IdealPath(r.strokes, kStrokesOrigin));
      if (!fires.empty()) r.strokesFire = fires.front().row;
    }

    r.replayed = r.fires.empty() ? "nothing fired" : "fired " + Row(r.fires.front().row);
    if (r.header) {
      using End = AttemptHeader::End;
      r.recorded = r.header->endText.empty() ? r.header->text : r.header->endText;
      switch (r.header->end) {
        case End::kFired:
          r.differs = r.fires.empty() || r.fires.front().row != r.header->firedRow;
          break;
        case End::kTimer:
        case End::kRun:
          r.differs = !r.fires.empty();
          break;
        case End::kUnknown:
          break;
      }
    }

    if (r.miss) {
      r.explanation = Explain(*r.miss);
    } else if (r.fires.empty() && r.counted) {
      r.explanation = "no gesture followed its first stroke; the first counted movement went " +
                      Degrees(r.firstDirection);
    } else if (r.fires.empty() && r.samples > 0) {
      r.explanation = "the pointer never went more than " + Pixels(kCountedMovement) +
                      " from where the attempt began: no movement counted";
    }
    // Free recording and recognition measure from different anchors, so beside an attempt that
    // fired the sentence could seem to deny the firing: it is said only where nothing fired.
    const bool recordedFiring = r.header && r.header->end == AttemptHeader::End::kFired;
    if (!r.strokes.empty() && r.fires.empty() && !recordedFiring) {
      std::string list;
      for (std::int32_t a : r.strokes) list += (list.empty() ? "" : " ") + std::to_string(a);
      r.strokesText = "a recording of this movement would give the strokes " + list +
                      ", which drawn exactly fire " +
                      (r.strokesFire ? Row(*r.strokesFire) : "no gesture of this file");
    }
    reports.push_back(std::move(r));
  }
  return reports;
}

}  // namespace vetrix::check
