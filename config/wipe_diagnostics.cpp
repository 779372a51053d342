// A wipe time far from now usually means a file left over from the previous wipe, or a time
// copied in milliseconds.
#include <algorithm>

#include "config/diagnostic_parts.h"
#include "config/quoted_text.h"
#include "config/time_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

// The time as the file gives it: the number the reader made of it, or the date text itself.
std::string wipe_text(std::int64_t wipe, const nlohmann::json& member) {
  const std::string given =
      member.is_string() ? in_quotes(member.get_ref<const std::string&>()) : std::to_string(wipe);
  return "the wipe time " + utc_text(wipe) + " (" + in_quotes(kWipeTimestamp) + " " + given + ")";
}

// The last unlock of both lists, if they list any class.
std::optional<std::int64_t> last_unlock(const Configuration& configuration) {
  std::optional<std::int64_t> last;
  for (const auto* list : {&configuration.riding, &configuration.taming}) {
    for (const DelayEntry& entry : *list) {
      last = std::max(last.value_or(entry.unlock_time), entry.unlock_time);
    }
  }
  return last;
}

Diagnostic future_wipe(std::int64_t wipe, const nlohmann::json& member, std::int64_t now) {
  std::string text = wipe_text(wipe, member) + " is in the future, " + relative_text(wipe, now) +
                     "; the plugin counts every delay from then";
  if (wipe < kLooksLikeMilliseconds || member.is_string()) {
    return {"future_wipe", {kWipeTimestamp}, std::move(text)};
  }
  return {"wipe_in_milliseconds",
          {kWipeTimestamp},
          text + "; it looks like milliseconds, the plugin wants seconds"};
}

}  // namespace

Diagnostics wipe_diagnostics(const Configuration& configuration, const nlohmann::json* member,
                             std::int64_t now) {
  if (member == nullptr) return {};
  const std::int64_t wipe = configuration.wipe_timestamp;
  if (wipe > now) return {future_wipe(wipe, *member, now)};
  const std::optional<std::int64_t> last = last_unlock(configuration);
  if (last && *last < now) {
    return {{"stale_wipe",
             {kWipeTimestamp},
             wipe_text(wipe, *member) + " leaves every listed unlock in the past, the last one " +
                 relative_text(*last, now) + ": nothing is held back; is " +
                 in_quotes(kWipeTimestamp) + " from an earlier wipe?"}};
  }
  if (seconds_between(wipe, now) > static_cast<std::uint64_t>(kSecondsPerYear)) {
    return {{"stale_wipe",
             {kWipeTimestamp},
             wipe_text(wipe, *member) + " is more than a year before now, " +
                 relative_text(wipe, now) + "; is it left from an earlier wipe?"}};
  }
  return {};
}

}  // namespace quellwarden::config
