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

// A clause for a sentence about the text when it is refused: "has no zone, so ...".
struct DateReading {
  std::optional<std::int64_t> unix_seconds;
  std::string problem;
};

// A date in YYYY-MM-DD, then "T" or a blank, then HH:MM:SS, then "Z", " UTC", or an offset
// "+HH:MM" / "-HH:MM". The calendar is checked exactly: "2026-02-29" is refused, "2028-02-29" not.
DateReading read_date(std::string_view text);

}  // namespace quellwarden::config
