// Standard C only, so the plugin needs no platform branch: Windows' runtime keeps localtime()'s
// result per thread, and elsewhere (the stand-in, the checker) one thread asks at a time.
#include "config/local_zone.h"

#include <ctime>

#include "config/time_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

static_assert(sizeof(std::time_t) >= sizeof(std::int64_t), "a 64-bit time_t");

// Far beyond any date a file or a clock gives, yet well inside the C library's years.
constexpr std::int64_t kAsked = 100'000 * kSecondsPerYear;

}  // namespace

int local_offset_at(std::int64_t unix_seconds) {
  if (unix_seconds < -kAsked || unix_seconds > kAsked) return 0;
  const auto time = static_cast<std::time_t>(unix_seconds);
  const std::tm* local = std::localtime(&time);
  if (local == nullptr) return 0;
  const std::int64_t shown =
      days_from_civil(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday) * kSecondsPerDay +
      local->tm_hour * kSecondsPerHour + local->tm_min * 60 + local->tm_sec;
  return static_cast<int>(shown - unix_seconds);
}

// The offset at the instant the clocks show that time, found from the offset an offset away; only
// in the hour a change of summer time skips or repeats is there more than one answer.
int local_offset_of_clock_time(std::int64_t local_seconds) {
  if (local_seconds < -kAsked || local_seconds > kAsked) return 0;
  return local_offset_at(local_seconds - local_offset_at(local_seconds));
}

}  // namespace quellwarden::config
