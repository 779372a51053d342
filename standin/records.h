// What the stand-in keeps of what happened: the latest entries up to a bound, and a count of all.
// A sandbox serving for a week stays small, and a test still reads back everything it caused.
// Safe from any thread: a log sink or a test's reader may read while the game thread writes.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

namespace standin::detail {

// How many latest entries each record keeps; keep_latest_records() sets it.
std::size_t kept_entries() noexcept;

template <typename Entry>
class Records {
 public:
  void add(Entry entry) {
    const std::lock_guard lock(mutex_);
    ++total_;
    const std::size_t kept = kept_entries();
    while (!kept_.empty() && kept_.size() >= kept) {
      kept_.pop_front();
    }
    if (kept > 0) {
      kept_.push_back(std::move(entry));
    }
  }
  [[nodiscard]] std::vector<Entry> latest() const {
    const std::lock_guard lock(mutex_);
    return {kept_.begin(), kept_.end()};
  }
  [[nodiscard]] std::size_t total() const {
    const std::lock_guard lock(mutex_);
    return total_;
  }
  void clear() {
    const std::lock_guard lock(mutex_);
    kept_.clear();
    total_ = 0;
  }

 private:
  mutable std::mutex mutex_;
  std::deque<Entry> kept_;
  std::size_t total_ = 0;
};

}  // namespace standin::detail
