// Overflow is refused rather than wrapped: a wrapped clock would silently release everything.
#include "tools/sandbox/clock_change.h"

#include <charconv>
#include <limits>
#include <optional>

namespace quellwarden::sandbox {
namespace {

constexpr std::int64_t kTooLarge = std::numeric_limits<std::int64_t>::max();

// Digits only. Too many of them read as kTooLarge, which no clock holds and every step
// overflows, so such a number ends up out of range rather than malformed.
std::optional<std::int64_t> whole_number(std::string_view digits) {
  if (digits.empty() || digits.front() < '0' || digits.front() > '9') {
    return std::nullopt;
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return error == std::errc::result_out_of_range ? kTooLarge : value;
}

std::optional<std::int64_t> seconds_per(char unit) {
  switch (unit) {
    case 's':
      return 1;
    case 'm':
      return 60;
    case 'h':
      return 3600;
    case 'd':
      return 86400;
    default:
      return std::nullopt;
  }
}

ClockChange within(std::optional<std::int64_t> seconds, ClockRange range) {
  if (!seconds || *seconds < range.first || *seconds > range.last) {
    return {ClockOutcome::out_of_range, 0};
  }
  return {ClockOutcome::moved, *seconds};
}

// "+<n><unit>" or "-<n><unit>" from `now` (`count` 0 or more, `unit` above 0); nothing when the
// arithmetic overflows.
std::optional<std::int64_t> stepped(std::int64_t now, bool forward, std::int64_t count,
                                    std::int64_t unit) {
  constexpr std::int64_t kLeast = std::numeric_limits<std::int64_t>::min();
  if (count > kTooLarge / unit) {
    return std::nullopt;
  }
  const std::int64_t step = count * unit;
  if (forward ? now > kTooLarge - step : now < kLeast + step) {
    return std::nullopt;
  }
  return forward ? now + step : now - step;
}

}  // namespace

std::string range_text(ClockRange range) {
  return "between " + std::to_string(range.first) + " and " + std::to_string(range.last) +
         " (Unix seconds)";
}

ClockChange apply_clock_change(std::string_view text, std::int64_t now, ClockRange range) {
  const ClockChange malformed{ClockOutcome::malformed, 0};
  if (text.empty()) {
    return malformed;
  }
  if (text.front() != '+' && text.front() != '-') {
    const auto seconds = whole_number(text);
    return seconds ? within(seconds, range) : malformed;
  }
  const bool forward = text.front() == '+';
  const std::optional<std::int64_t> unit = seconds_per(text.back());
  if (!unit) {
    // Without a unit only a time before 1970 is meant; "+5" says nothing.
    const auto seconds = forward ? std::nullopt : whole_number(text.substr(1));
    return seconds ? within(-*seconds, range) : malformed;
  }
  const auto count = text.size() > 2 ? whole_number(text.substr(1, text.size() - 2)) : std::nullopt;
  return count ? within(stepped(now, forward, *count, *unit), range) : malformed;
}

}  // namespace quellwarden::sandbox
