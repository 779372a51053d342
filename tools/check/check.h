// One check of a configuration text: what the plugin would hold back, or why it would refuse the
// file, and what looks like a mistake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"

namespace quellwarden::check {

using config::Schedule;

struct CheckResult {
  std::int64_t now = 0;              // the moment the file was judged at
  std::optional<Schedule> schedule;  // absent when the plugin would refuse the file
  std::vector<config::Diagnostic> warnings;
  // The text the plugin would log and answer over RCON when it refuses the file.
  std::vector<std::string> errors;
  // For a refused file, what the plugin's text leaves out: the place of a type error, the likely
  // cause of a parse error.
  std::vector<std::string> hints;
  // Refused only for some entries: a start applies the rest and holds those back until it is fixed.
  bool salvageable = false;
  // With a wipe given (--wipe) that the file's is not, both as dates with their Unix seconds.
  std::optional<std::string> wrong_wipe;
};

// The zone of the machine the checker runs on, in which an admin most likely thinks of the wipe.
struct LocalZone {
  // Seconds east of UTC at a moment; null for UTC.
  int (*offset_at)(std::int64_t unix_seconds) = nullptr;

  [[nodiscard]] int offset(std::int64_t unix_seconds) const {
    return offset_at == nullptr ? 0 : offset_at(unix_seconds);
  }
  // UTC all year round, as far as the half year from `now` shows: a zone with summer time, or
  // one east or west of UTC, is not.
  [[nodiscard]] bool is_utc(std::int64_t now) const {
    constexpr std::int64_t kHalfYear = 182 * 86400;
    return offset(now) == 0 && offset(now < INT64_MAX - kHalfYear ? now + kHalfYear : now) == 0;
  }
};

struct Judging {
  std::int64_t now = 0;  // the system clock, or the time given
  bool at_wipe = false;  // judge at the wipe the file gives instead; at `now` when it is refused
  LocalZone zone;        // where the machine is: a date's offset is held against it
  // The wipe the file must give (--wipe): no warning that it lies ahead, nor against the clock.
  std::optional<std::int64_t> wipe;
};

// Reads `text` with the plugin's own reader, judging the wipe time as `judging` says.
CheckResult check_text(std::string_view text, const Judging& judging);

}  // namespace quellwarden::check
