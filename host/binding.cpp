// The game's allocator, reached by name on every call.
#include "host/binding.h"

namespace quellwarden::host {

void* resize_block(void* block, std::uint64_t size) {
  if (block == nullptr) {
    return call_game<void*>("FMemory.Malloc(unsigned__int64,unsignedint)", size, 0U);
  }
  return call_game<void*>("FMemory.Realloc(void*,unsigned__int64,unsignedint)", block, size, 0U);
}

void free_block(void* block) { call_game<void>("FMemory.Free(void*)", block); }

}  // namespace quellwarden::host
