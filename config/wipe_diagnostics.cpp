// A wipe time far from now usually means a file left over from the previous wipe, or a time
// copied in milliseconds.
#include "tools/check/time_text.h"
#include "tools/check/warnings.h"

namespace quellwarden::check {
namespace {

constexpr std::uint64_t kYear = 365 * 86400;
// Unix seconds this large lie past the year 5000; milliseconds of today's dates are larger still.
constexpr std::int64_t kLooksLikeMilliseconds = 100'000'000'000;

std::string wipe_text(std::int64_t wipe) {
  return "the wipe time " + utc_text(wipe) + " (\"WipeTimestamp\" " + std::to_string(wipe) + ")";
}

}  // namespace

std::vector<std::string> wipe_warnings(std::optional<std::int64_t> wipe_timestamp,
                                       std::int64_t now) {
  if (!wipe_timestamp) return {};
  const std::int64_t wipe = *wipe_timestamp;
  if (wipe > now) {
    std::string text = wipe_text(wipe) + " is in the future, " + relative_text(wipe, now) +
                       "; the plugin counts every delay from then";
    if (wipe >= kLooksLikeMilliseconds) {
      text += "; it looks like milliseconds, the plugin wants seconds";
    }
    return {text};
  }
  if (seconds_between(wipe, now) > kYear) {
    return {wipe_text(wipe) + " is more than a year before now, " + relative_text(wipe, now) +
            "; is it left from an earlier wipe?"};
  }
  return {};
}

}  // namespace quellwarden::check
