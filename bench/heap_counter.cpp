// Replaces the global operator new and delete of the benchmark program so a meter can see every
// allocation, the loader's, the JSON library's and the standard library's alike, and watches the
// game's allocator for the blocks the plugin takes from it.
#include "bench/heap_counter.h"

#include <malloc.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "standin/allocator.h"

namespace bench {
namespace {

bool counting = false;
HeapUse counted;

void* allocate(std::size_t size, std::size_t alignment) {
  const std::size_t bytes = size == 0 ? 1 : size;
  void* block =
      alignment <= alignof(std::max_align_t)
          ? std::malloc(bytes)
          : std::aligned_alloc(alignment, (bytes + alignment - 1) / alignment * alignment);
  if (block == nullptr) throw std::bad_alloc();
  if (counting) {
    ++counted.allocations;
    counted.net_bytes += static_cast<std::int64_t>(::malloc_usable_size(block));
    counted.peak_bytes = std::max(counted.peak_bytes, counted.net_bytes);
  }
  return block;
}

void release(void* block) noexcept {
  if (block != nullptr && counting) {
    counted.net_bytes -= static_cast<std::int64_t>(::malloc_usable_size(block));
  }
  std::free(block);
}

// The stand-in's game allocator is malloc underneath, so its blocks are sized the same way.
void watch_game_block(void* block, bool taken) {
  const auto bytes = static_cast<std::int64_t>(::malloc_usable_size(block));
  counted.game_blocks += taken ? 1 : -1;
  counted.game_bytes += taken ? bytes : -bytes;
  counted.net_bytes += taken ? bytes : -bytes;
  counted.peak_bytes = std::max(counted.peak_bytes, counted.net_bytes);
}

}  // namespace

HeapMeter::HeapMeter() {
  counted = HeapUse{};
  counting = true;
  standin::watch_blocks(&watch_game_block);
}

HeapMeter::~HeapMeter() {
  standin::watch_blocks(nullptr);
  counting = false;
}

HeapUse HeapMeter::use() const { return counted; }

}  // namespace bench

void* operator new(std::size_t size) { return bench::allocate(size, 0); }
void* operator new[](std::size_t size) { return bench::allocate(size, 0); }
void* operator new(std::size_t size, std::align_val_t alignment) {
  return bench::allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return bench::allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return bench::allocate(size, 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { bench::release(block); }
void operator delete[](void* block) noexcept { bench::release(block); }
void operator delete(void* block, std::size_t) noexcept { bench::release(block); }
void operator delete[](void* block, std::size_t) noexcept { bench::release(block); }
void operator delete(void* block, std::align_val_t) noexcept { bench::release(block); }
void operator delete[](void* block, std::align_val_t) noexcept { bench::release(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { bench::release(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  bench::release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept { bench::release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { bench::release(block); }
