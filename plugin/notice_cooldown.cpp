// Sweeping only as the map grows keeps the common case, a player bumping into the same creature
// again, one look-up that builds nothing.
#include "plugin/notice_cooldown.h"

#include <algorithm>
#include <functional>

#include "config/time_text.h"
#include "core/same_class.h"

namespace quellwarden {
namespace {

bool cooling(std::int64_t sent, std::int64_t now, std::int64_t cooldown) {
  return now >= sent && config::seconds_between(sent, now) < static_cast<std::uint64_t>(cooldown);
}

}  // namespace

// The class hash already ignores a to z letter case, so names alike when folded meet here.
template <typename Key>
std::size_t NoticeCooldown::Hash::operator()(const Key& key) const noexcept {
  const std::size_t mixed =
      std::hash<const void*>{}(key.player) * 31 + static_cast<std::size_t>(key.gate);
  return mixed * 0x9E3779B97F4A7C15U ^ key.class_hash;
}

template <typename A, typename B>
bool NoticeCooldown::Equal::operator()(const A& a, const B& b) const noexcept {
  return a.player == b.player && a.gate == b.gate && a.class_hash == b.class_hash &&
         same_class(a.class_name, b.class_name);
}

bool NoticeCooldown::admit(const NoticeKey& key, std::int64_t now, std::int64_t cooldown) {
  const auto found = last_sent_.find(key);
  if (found != last_sent_.end()) {
    if (cooling(found->second, now, cooldown)) return false;
    found->second = now;
    return true;
  }
  last_sent_.emplace(HeldKey{key.player, key.gate, std::u16string(key.class_name), key.class_hash},
                     now);
  if (last_sent_.size() >= sweep_at_) sweep(now, cooldown);
  return true;
}

void NoticeCooldown::sweep(std::int64_t now, std::int64_t cooldown) {
  std::erase_if(last_sent_,
                [&](const auto& entry) { return !cooling(entry.second, now, cooldown); });
  sweep_at_ = std::max(kFirstSweep, 2 * last_sent_.size());
}

}  // namespace quellwarden
