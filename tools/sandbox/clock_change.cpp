// Overflow is refused rather than wrapped: a wrapped clock would silently release everything.
#include "tools/sandbox/clock_change.h"

#include <charconv>

namespace quellwarden::sandbox {
namespace {

std::optional<std::int64_t> whole_number(std::string_view digits) {
  if (digits.empty() || digits.front() < '0' || digits.front() > '9') {
    return std::nullopt;
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
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

}  // namespace

std::optional<std::int64_t> apply_clock_change(std::string_view text, std::int64_t now) {
  if (text.empty()) {
    return std::nullopt;
  }
  if (text.front() != '+' && text.front() != '-') {
    return whole_number(text);
  }
  const bool forward = text.front() == '+';
  const std::optional<std::int64_t> unit = seconds_per(text.back());
  const std::optional<std::int64_t> count =
      text.size() > 2 ? whole_number(text.substr(1, text.size() - 2)) : std::nullopt;
  std::int64_t step = 0;
  std::int64_t result = 0;
  if (!unit || !count || __builtin_mul_overflow(*count, *unit, &step) ||
      (forward ? __builtin_add_overflow(now, step, &result)
               : __builtin_sub_overflow(now, step, &result))) {
    return std::nullopt;
  }
  return result;
}

}  // namespace quellwarden::sandbox
