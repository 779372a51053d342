// Counts what the process takes from the C++ heap while a meter is running: the number of
// allocations and the peak of the bytes held above what was held when the meter started.
#pragma once

#include <cstdint>

namespace bench {

struct HeapUse {
  std::int64_t allocations = 0;
  std::int64_t peak_bytes = 0;  // highest net bytes held at any moment, as malloc sized them
  std::int64_t net_bytes = 0;   // held now, minus what the measured code gave back
};

// One meter at a time, on one thread; outside a meter the counting costs a branch.
class HeapMeter {
 public:
  HeapMeter();
  ~HeapMeter();
  HeapMeter(const HeapMeter&) = delete;
  HeapMeter& operator=(const HeapMeter&) = delete;

  [[nodiscard]] HeapUse use() const;
};

}  // namespace bench
