// Each attempt of a trace replayed from a fresh start of the program and explained: what fired,
// and what another gesture lost to it; or, when nothing fired, the gesture that came nearest and
// what dropped it. The words are those vetrix-check prints.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/inputs.h"
#include "check/loaded_program.h"

namespace vetrix::check {

struct AttemptFiring {
  std::uint64_t ms;  // on the attempt's clock
  int row;
  std::string action;  // UTF-8
};

// Why a gesture that had followed some strokes did not fire.
struct Miss {
  enum class Kind {
    kWrongTurn,  // a counted movement matched neither its stroke nor the next
    kTooShort,   // the attempt ended before the last movement counted
    kTimer,      // the attempt's timer ran out
    kShadowed,   // another gesture fired first
    kNoAction,   // followed to the end, but it has nothing to run
  } kind;
  int row = -1;
  int followed = 0;
  int strokes = 0;
  float direction = 0;     // measured: kWrongTurn, kTooShort
  std::int32_t wants = 0;  // the stroke it needed next
  bool wantsAny = false;   // whether there is such a stroke
  double distance = 0;     // kTooShort
  std::uint64_t ms = 0;    // kTimer, kShadowed
  int firedRow = -1;       // kShadowed
};

struct AttemptReport {
  std::optional<AttemptHeader> header;
  int line = 1;
  std::size_t samples = 0;
  std::vector<AttemptFiring> fires;
  // With a firing: the gesture furthest on that the first firing cut off. Without: the nearest
  // miss, none where no gesture followed a stroke.
  std::optional<Miss> miss;
  // Without a firing and a miss: whether any movement counted, and the first one's direction.
  bool counted = false;
  float firstDirection = 0;
  // The attempt's strokes as free recording would make them, and the row their exact path fires.
  std::vector<std::int32_t> strokes;
  std::optional<int> strokesFire;
  // The row drawn under the attempt's path: the one that fired, else the nearest miss's.
  int drawnRow = -1;
  std::string recorded;     // what the program wrote as the end; empty without a header
  std::string replayed;     // "fired row N" or "nothing fired"
  bool differs = false;     // the replay's end is not the recorded one
  std::string explanation;  // the sentence about the firing or the miss
  std::string strokesText;  // the sentence about the recorded strokes; only where nothing fired
  std::string program;      // in front while it was replayed (UTF-8); empty: none named
};

// The sentence about a miss.
std::string Explain(const Miss& miss);

// Every attempt on the one program, each from a fresh start.
std::vector<AttemptReport> ExplainAttempts(LoadedProgram& program,
                                           const std::vector<Attempt>& attempts);

}  // namespace vetrix::check
