// Dates as administrators write the wipe time: "2026-01-08T18:00:00Z", the status's own
// "2026-01-08 18:00:00 UTC", or a local time with its offset, "2026-01-08T20:00:00+02:00".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellwarden::config {

// The forms read_date() takes, for error texts and help.
inline constexpr char kDateForms[] =
    "\"2026-01-08T18:00:00Z\", \"2026-01-08 18:00:00 UTC\" or \"2026-01-08T20:00:00+02:00\"";

struct DateReading {
  std::optional<std::int64_t> unix_seconds;
  std::string problem;  // a clause for a sentence about a refused text: "has no zone, so ..."
  // The offset the text writes, in seconds east of UTC; absent for "Z" and "UTC", which name no
  // local time.
  std::optional<int> offset;
  // For a refused text, where it shows what was meant, what to write instead: "zone names are not
  // read; CET is +01:00: write \"2026-12-11T19:00:00+01:00\""; else empty.
  std::string suggestion;
};

// A date in YYYY-MM-DD, then "T" or a blank, then HH:MM with ":SS" and a fraction of a second
// if given (dropped), then a blank or not, then "Z", "UTC", or an offset "+HH:MM", "+HHMM",
// "-HH:MM", "-HHMM"; letters in either case. The calendar is checked exactly: "2026-02-29" is
// refused, "2028-02-29" not. A time without zone is refused with a suggestion in this machine's
// zone at that date (local_zone.h).
DateReading read_date(std::string_view text);

// An offset alone, "+01:00", "+0100", "-05:30", as a date ends with it, in seconds east of UTC;
// nothing for any other text.
std::optional<int> read_offset(std::string_view text);

// A whole number in decimal, "-5" or "1797012000", as an admin types Unix seconds or hours; nothing
// for any other text or one past 64 bits.
std::optional<std::int64_t> whole_number(std::string_view text);

// "1797012000000 looks like milliseconds; write 1797012000" for whole Unix seconds `digits` of
// 13 digits or more; nothing for others.
std::optional<std::string> milliseconds_note(std::string_view digits);

}  // namespace quellwarden::config
