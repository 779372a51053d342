// The game's allocator as tests see it: how many blocks the plugin holds right now.
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

}  // namespace standin
