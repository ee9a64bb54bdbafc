// The attempt trace's format, as the program writes it (recognition/attempt_trace.h) and
// vetrix-check reads it (check/inputs.h):
//
//   # attempt 2026-12-08 14:03:21, continuous, fired row 3, program notepad.exe
//   0 512 300
//   10 540 301
//
// Each attempt opens with its heading: when it began, the mode of the run, how it ended, how
// many samples were lost when it outgrew the ring ("first 1234 samples lost", only then), and
// the program in front as it began (only where programs have actions of their own). Then one
// line per sample, "milliseconds x y", its time counted from the attempt's first line. Lines
// end with CR LF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vetrix {

inline constexpr std::string_view kAttemptOpening = "# attempt ";
inline constexpr std::string_view kTraceLineEnd = "\r\n";
// Between the heading's fields.
inline constexpr std::string_view kTraceFieldSeparator = ", ";
// Before the program's name, the heading's last field.
inline constexpr std::string_view kTraceProgramField = ", program ";

// The modes a run is in.
inline constexpr std::string_view kTraceModeButton = "mouse button";
inline constexpr std::string_view kTraceModeHotKey = "hot key";
inline constexpr std::string_view kTraceModeContinuous = "continuous";

// The endings' words.
inline constexpr std::string_view kTraceFiredRow = "fired row ";
inline constexpr std::string_view kTraceEndedByTimer = "ended by the timer";
inline constexpr std::string_view kTraceEndedWithRun = "ended with the run";

// How an attempt ended: a gesture fired (with its row), the timer ran out or stopped with
// nothing followed any more, or the run ended.
struct AttemptEnding {
  enum class Kind { kFired, kTimer, kRun } kind = Kind::kRun;
  int row = 0;  // kFired
};
std::string EndingText(const AttemptEnding& ending);
// One of the endings EndingText writes; nothing for any other text. The readers are in a file
// of their own (attempt_trace_reading.cpp), so that the program, which only writes, links no
// scanf.
std::optional<AttemptEnding> ReadEnding(const std::string& text);

std::string SamplesLostText(std::size_t lost);
// The number of a "first N samples lost" field, if the text is one with N above 0.
std::optional<long long> ReadSamplesLost(const std::string& text);

}  // namespace vetrix
