// The attempt trace: with "TraceFile" set, every matching attempt is kept as the pointer
// positions recognition saw and added to that file once the attempt has ended, in the format
// base/attempt_trace_format.h describes, as `vetrix-check --replay` reads them.
//
// An attempt runs while the attempt timer runs or a gesture is followed. It begins with the
// counted movement that sets either going: its first line is the point that movement was
// measured from, then comes every pass's cursor up to its end. It ends when a gesture fires,
// when the timer runs out or is stopped with nothing followed any more, or with its run.
//
// A pass only stores into a fixed ring; the file is written after the pump, once the attempt
// has ended. Past kTraceFileLimit the file starts afresh with its last attempts. Only a file
// that is new, empty or begins with an attempt is written, never one on a share or a device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vetrix {

class MainWindow;

// The passes an attempt keeps, about 20 s of a moving pointer. A longer attempt keeps its
// last passes, from the first of them that a movement was measured from, and says how many
// came before ("..., first 1234 samples lost").
inline constexpr std::size_t kTraceRingSize = 2048;
// When an attempt would take the file past this, the file is written anew with the latest
// attempts that fit into half of it, then this one.
inline constexpr std::size_t kTraceFileLimit = 1 << 20;

// A write that fails, or takes longer than this, stops the trace for kTraceQuietMs: a file on
// a share that stopped answering would otherwise stall the window at every attempt. The
// attempts that end meanwhile are not kept.
inline constexpr std::uint64_t kTraceSlowWriteMs = 250;
inline constexpr std::uint64_t kTraceQuietMs = 60'000;

// From now on records every attempt into `setting`, the [Main] "TraceFile" value (code page
// 1251; relative to the current folder as it is now). Empty: nothing is recorded.
void StartAttemptTrace(MainWindow& window, const std::string& setting);

}  // namespace vetrix
