// Sweeping only as the map grows keeps the common case, a player bumping into the same creature
// again, one look-up.
#include "plugin/notice_cooldown.h"

#include <algorithm>

#include "config/time_text.h"

namespace quellwarden {
namespace {

bool cooling(std::int64_t sent, std::int64_t now, std::int64_t cooldown) {
  return now >= sent && config::seconds_between(sent, now) < static_cast<std::uint64_t>(cooldown);
}

}  // namespace

bool NoticeCooldown::admit(const NoticeKey& key, std::int64_t now, std::int64_t cooldown) {
  const auto found = last_sent_.find(key);
  if (found != last_sent_.end()) {
    if (cooling(found->second, now, cooldown)) return false;
    found->second = now;
    return true;
  }
  last_sent_.emplace(key, now);
  if (last_sent_.size() >= sweep_at_) sweep(now, cooldown);
  return true;
}

void NoticeCooldown::sweep(std::int64_t now, std::int64_t cooldown) {
  std::erase_if(last_sent_,
                [&](const auto& entry) { return !cooling(entry.second, now, cooldown); });
  sweep_at_ = std::max(kFirstSweep, 2 * last_sent_.size());
}

}  // namespace quellwarden
