// A text bar chart from the wipe to the last unlock: one bar per entry, a column marking now.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quellwarden::check {

struct TimelineBar {
  std::string label;  // printable already
  std::int64_t unlock_time = 0;
};

// The chart's lines: a heading, one line per bar in the given order, the axis and its labels.
// Empty when no bar reaches past the wipe.
std::vector<std::string> timeline_lines(std::int64_t wipe, std::int64_t now,
                                        const std::vector<TimelineBar>& bars);

}  // namespace quellwarden::check
