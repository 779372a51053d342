// Counts what the process takes from the C++ heap and the game's allocator while a meter is
// running: the number of C++ allocations, the game's blocks, and the peak of the bytes both held
// together above what they held when the meter started.
#pragma once

#include <cstdint>

namespace bench {

struct HeapUse {
  std::int64_t allocations = 0;  // of the C++ heap
  std::int64_t peak_bytes = 0;   // highest net bytes of both at any moment, as malloc sized them
  std::int64_t net_bytes = 0;    // held now, minus what the measured code gave back
  std::int64_t game_blocks = 0;  // of the game's allocator held now, net
  std::int64_t game_bytes = 0;
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
