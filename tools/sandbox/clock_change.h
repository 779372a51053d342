// The argument of the `clock` command: an absolute Unix second, or a step from now such as +3h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "standin/standin.h"

namespace quellwarden::sandbox {

// The seconds a clock can hold, both ends included.
struct ClockRange {
  std::int64_t first = 0;
  std::int64_t last = 0;
};

// What the stand-in's clock holds.
inline constexpr ClockRange kStandinClock{standin::kClockFirstSecond, standin::kClockLastSecond};

// "between FIRST and LAST (Unix seconds)", for messages that name the range.
std::string range_text(ClockRange range);

enum class ClockOutcome { moved, malformed, out_of_range };

struct ClockChange {
  ClockOutcome outcome = ClockOutcome::malformed;
  std::int64_t seconds = 0;  // the new time when moved
};

// "1700000000" and "-86400" set that second; "+<n><s|m|h|d>" and "-<n><s|m|h|d>" step from
// `now`, so a step always has a unit. A result outside `range` is out_of_range, however far out.
ClockChange apply_clock_change(std::string_view text, std::int64_t now, ClockRange range);

}  // namespace quellwarden::sandbox
