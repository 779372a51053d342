// The game's allocator as tests see it: how many blocks the plugin holds right now, and the books
// behind that answer, which a benchmark turns off.
#pragma once

#include <cstddef>

#include "host/export.h"

namespace standin {

struct AllocatorStats {
  std::size_t live_blocks = 0;
  std::size_t live_bytes = 0;
  std::size_t allocations = 0;  // every Malloc and every Realloc that produced a block
  std::size_t frees = 0;        // every Free and every Realloc to size 0
  // Frees a failure switch struck (FMemory.Free unresolved or throwing): each left its block
  // live, so a balance is live_blocks less these.
  std::size_t refused_frees = 0;
};
ASAAPI_EXPORT AllocatorStats allocator_stats();

// The stand-in's books, which no real host keeps: every live block accounted for under a lock (so
// allocator_stats() is exact and a double or foreign free stops the process where it happens), and
// the game's name table read under its lock. On unless switched off: the tests keep them, the
// benchmarks measure without them. Switch only while no block of the game's allocator is live, and
// with books off only one thread may make creatures.
ASAAPI_EXPORT void keep_books(bool on);

// Told of each block the game's allocator hands out (`taken`) and of each it takes back (before
// it is gone), books or not; null for none. How a benchmark counts the game's heap.
using BlockWatcher = void (*)(void* block, bool taken);
ASAAPI_EXPORT void watch_blocks(BlockWatcher watcher);

}  // namespace standin
