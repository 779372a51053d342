// Which refusal notices went out lately, so a player hears of one class and gate once per
// cooldown however often the game asks. Not thread-safe: only the gates use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/gate.h"

namespace quellwarden {

// A notice as the cooldown tells them apart. The class name is matched with a to z folded, as the
// tables match it; `class_hash` is its key_hash, which the gate has already computed.
struct NoticeKey {
  const void* player;
  Gate gate;
  std::u16string_view class_name;
  std::uint32_t class_hash;
};

class NoticeCooldown {
 public:
  // Whether a notice for `key` may go out at `now`, `cooldown` seconds after the last one; when it
  // may, it counts as sent. A clock set back never silences a player. Only a notice that goes out
  // for the first time copies the class name.
  bool admit(const NoticeKey& key, std::int64_t now, std::int64_t cooldown);
  [[nodiscard]] std::size_t size() const noexcept { return last_sent_.size(); }

 private:
  // The key as held: it owns its copy of the class name.
  struct HeldKey {
    const void* player;
    Gate gate;
    std::u16string class_name;
    std::uint32_t class_hash;
  };
  struct Hash {
    using is_transparent = void;
    template <typename Key>
    std::size_t operator()(const Key& key) const noexcept;
  };
  struct Equal {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const noexcept;
  };

  // Entries whose cooldown is over are dropped whenever the map has doubled since the last
  // sweep, so it holds at most twice the notices of one cooldown, plus a few.
  void sweep(std::int64_t now, std::int64_t cooldown);

  static constexpr std::size_t kFirstSweep = 64;
  std::unordered_map<HeldKey, std::int64_t, Hash, Equal> last_sent_;
  std::size_t sweep_at_ = kFirstSweep;
};

}  // namespace quellwarden
