// Unix seconds as an administrator reads them: UTC date-times and rounded-down spans of time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quellwarden::config {

enum class Precision { seconds, minutes };

// Days since 1970-01-01 of a day of the proleptic Gregorian calendar; `month` 1 to 12.
std::int64_t days_from_civil(std::int64_t year, int month, int day);

// "2023-11-16 22:13:20 UTC", or to the minute "2023-11-16 22:13 UTC"; any signed 64-bit second,
// proleptic Gregorian calendar.
std::string utc_text(std::int64_t unix_seconds, Precision precision = Precision::seconds);

// "+01:00", "-05:30": an offset from UTC, in seconds east of it, as a date writes it.
std::string offset_text(int offset_seconds);

// The local time `offset_seconds` east of UTC: "2023-11-16 23:13:20 +01:00", or to the minute
// "2023-11-16 23:13 +01:00".
std::string local_text(std::int64_t unix_seconds, int offset_seconds,
                       Precision precision = Precision::seconds);

// A time on the clocks of the zone `offset_seconds` east of UTC, given as `clock_seconds` (that
// date and time of day counted as if UTC), as a configuration writes it:
// "2026-12-11T19:00:00+01:00".
std::string written_date(std::int64_t clock_seconds, int offset_seconds);

// The two largest units, rounded down: "1d 23h", "5h", "12m 5s", "0s".
std::string duration_text(std::uint64_t seconds);

// The units of a time left: days, hours, minutes, seconds.
using TimeUnitNames = std::array<std::string_view, 4>;
inline constexpr TimeUnitNames kTimeUnitLetters{"d", "h", "m", "s"};

// Time left, as players, the status and the checker all read it: days, hours and minutes from the
// first that is not zero ("2d 3h 5m", "1h 0m", "7m"), and seconds only under a minute ("45s");
// each number followed by its unit.
std::string left_text(std::uint64_t seconds, const TimeUnitNames& units = kTimeUnitLetters);

// The span from `from` to `to`, which may be the whole 64-bit range wide.
std::uint64_t seconds_between(std::int64_t from, std::int64_t to);

// "in 2d 3h", "2d 3h ago" or "now".
std::string relative_text(std::int64_t when, std::int64_t now);

// What the gate answers at `now`: "locked, 1d 23h 0m left" before the unlock second, then
// "released".
std::string unlock_status(std::int64_t unlock_time, std::int64_t now);

}  // namespace quellwarden::config
