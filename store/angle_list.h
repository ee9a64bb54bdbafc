// The angle list of a gesture in gesture.ini: its strokes' angles as "0 90 180 ".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vetrix {

inline constexpr int kAngleRowSize = 101;

// Splits at every blank, so the stroke count is the number of blanks plus one: an empty text
// gives one stroke and leaves row[0] as it was. A piece that is not a number, the empty piece
// between two blanks included, throws Error("'<piece>' is not a valid integer value") with the
// cells before it already written. Past 101 pieces the numbers are checked but not stored and
// the count stays 101, so a long list never runs past its row yet a bad piece is still reported.
void ParseAngleList(std::string_view text, std::int32_t (&row)[kAngleRowSize],
                    std::int32_t& strokeCount);

// Each angle followed by one blank, the last included. Nothing for a count below 1.
std::string AngleListText(const std::int32_t* angles, int count);

}  // namespace vetrix
