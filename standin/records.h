// What the stand-in keeps of what happened: the latest entries up to a bound, and a count of all.
// A sandbox serving for a week stays small, and a test still reads back everything it caused.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

namespace standin::detail {

template <typename Entry>
class Records {
 public:
  // Far more than any one test causes between two resets.
  static constexpr std::size_t kKept = 4096;

  void add(Entry entry) {
    if (kept_.size() == kKept) {
      kept_.pop_front();
    }
    kept_.push_back(std::move(entry));
    ++total_;
  }
  [[nodiscard]] std::vector<Entry> latest() const { return {kept_.begin(), kept_.end()}; }
  [[nodiscard]] std::size_t total() const noexcept { return total_; }
  void clear() {
    kept_.clear();
    total_ = 0;
  }

 private:
  std::deque<Entry> kept_;
  std::size_t total_ = 0;
};

}  // namespace standin::detail
