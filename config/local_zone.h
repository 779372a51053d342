// The zone of the machine the program runs on, in which an admin most likely thinks of a time.
#pragma once

#include <cstdint>

namespace quellwarden::config {

// Seconds east of UTC that this machine's clocks are at the instant `unix_seconds` (summer time
// included), as the C library has the zone: from TZ where that is set; 0 for a moment the library
// cannot hold.
int local_offset_at(std::int64_t unix_seconds);

// Seconds east of UTC that this machine's clocks are when they show `local_seconds`, a date and
// time of day counted as if it were UTC.
int local_offset_of_clock_time(std::int64_t local_seconds);

}  // namespace quellwarden::config
