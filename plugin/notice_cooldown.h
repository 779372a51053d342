// Which refusal notices went out lately, so a player hears of one class and gate once per
// cooldown however often the game asks. Not thread-safe: only the gates use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

namespace quellwarden {

struct NoticeKey {
  const void* player;
  int gate;
  std::string class_name;  // folded as the tables compare it

  friend bool operator<(const NoticeKey& a, const NoticeKey& b) {
    return std::tie(a.player, a.gate, a.class_name) < std::tie(b.player, b.gate, b.class_name);
  }
};

class NoticeCooldown {
 public:
  // Whether a notice for `key` may go out at `now`, `cooldown` seconds after the last one; when it
  // may, it counts as sent. A clock set back never silences a player.
  bool admit(const NoticeKey& key, std::int64_t now, std::int64_t cooldown);
  [[nodiscard]] std::size_t size() const noexcept { return last_sent_.size(); }

 private:
  // Entries whose cooldown is over are dropped whenever the map has doubled since the last
  // sweep, so it holds at most twice the notices of one cooldown, plus a few.
  void sweep(std::int64_t now, std::int64_t cooldown);

  static constexpr std::size_t kFirstSweep = 64;
  std::map<NoticeKey, std::int64_t> last_sent_;
  std::size_t sweep_at_ = kFirstSweep;
};

}  // namespace quellwarden
