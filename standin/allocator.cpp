// The game's allocator (FMemory), with every live block accounted for so that a test can prove
// the plugin gives back all it takes, and a double or foreign free is caught where it happens.
// With the books off it is malloc, realloc and free and a test of two switches.
#include "standin/allocator.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "standin/world.h"

namespace standin {
namespace {

struct Accounts {
  std::mutex mutex;
  std::unordered_map<void*, std::uint64_t> live;
  std::unordered_set<void*> freed;  // given back and not handed out again since
  AllocatorStats stats;
};

Accounts& accounts() { return detail::forever<Accounts>(); }

// Constant-initialized, so they hold before any static object is made.
std::atomic<bool> books_kept{true};
std::atomic<BlockWatcher> block_watcher{nullptr};

void watch(void* block, bool taken) {
  if (const BlockWatcher watcher = block_watcher.load(std::memory_order_relaxed)) {
    watcher(block, taken);
  }
}

// Stops the process where the fault happens, so that its stack still shows who did it.
[[noreturn]] void report(const char* operation, void* block, const Accounts& books) {
  std::ostringstream text;
  text << operation << ": block " << block
       << (books.freed.count(block) != 0 ? " was already freed (double free)"
                                         : " was never allocated by FMemory (foreign block)");
  std::fprintf(stderr, "stand-in allocator: %s\n", text.str().c_str());
  std::abort();
}

void record_new(Accounts& books, void* block, std::uint64_t size) {
  books.live.emplace(block, size);
  books.freed.erase(block);
  ++books.stats.live_blocks;
  books.stats.live_bytes += size;
  ++books.stats.allocations;
}

void record_gone(Accounts& books, void* block, std::uint64_t size) {
  books.live.erase(block);
  books.freed.insert(block);
  --books.stats.live_blocks;
  books.stats.live_bytes -= size;
  ++books.stats.frees;
}

// FMemory.Realloc without books: what the host's allocator itself does.
void* realloc_unbooked(void* block, std::uint64_t size) {
  if (size == 0) {
    watch(block, false);
    std::free(block);
    return nullptr;
  }
  if (detail::allocation_fails()) {
    return nullptr;
  }
  watch(block, false);
  void* moved = std::realloc(block, size);
  if (moved == nullptr) {
    watch(block, true);
    throw std::bad_alloc();
  }
  watch(moved, true);
  return moved;
}

}  // namespace

void keep_books(bool on) { books_kept.store(on, std::memory_order_relaxed); }

void watch_blocks(BlockWatcher watcher) { block_watcher.store(watcher, std::memory_order_relaxed); }

AllocatorStats allocator_stats() {
  const std::lock_guard lock(accounts().mutex);
  return accounts().stats;
}

namespace detail {

bool books_are_kept() { return books_kept.load(std::memory_order_relaxed); }

void* game_malloc(std::uint64_t size, std::uint32_t alignment) {
  return allocation_fails() ? nullptr : host_malloc(size, alignment);
}

void* host_malloc(std::uint64_t size, std::uint32_t /*alignment*/) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  watch(block, true);
  if (!books_are_kept()) {
    return block;
  }
  const std::lock_guard lock(accounts().mutex);
  record_new(accounts(), block, size);
  return block;
}

void* game_realloc(void* block, std::uint64_t size, std::uint32_t alignment) {
  if (block == nullptr) {
    return game_malloc(size, alignment);
  }
  if (!books_are_kept()) {
    return realloc_unbooked(block, size);
  }
  Accounts& books = accounts();
  const std::lock_guard lock(books.mutex);
  const auto found = books.live.find(block);
  if (found == books.live.end()) {
    report("FMemory.Realloc", block, books);
  }
  const std::uint64_t old_size = found->second;
  if (size != 0 && allocation_fails()) {
    return nullptr;  // as when out of memory: the old block stays as it was
  }
  record_gone(books, block, old_size);
  watch(block, false);
  if (size == 0) {
    std::free(block);
    return nullptr;
  }
  void* moved = std::realloc(block, size);
  if (moved == nullptr) {
    watch(block, true);
    record_new(books, block, old_size);
    --books.stats.allocations;
    --books.stats.frees;
    throw std::bad_alloc();
  }
  watch(moved, true);
  record_new(books, moved, size);
  return moved;
}

void note_refused_free() {
  const std::lock_guard lock(accounts().mutex);
  ++accounts().stats.refused_frees;
}

void game_free(void* block) {
  if (block == nullptr) {
    return;
  }
  if (!books_are_kept()) {
    watch(block, false);
    std::free(block);
    return;
  }
  Accounts& books = accounts();
  const std::lock_guard lock(books.mutex);
  const auto found = books.live.find(block);
  if (found == books.live.end()) {
    report("FMemory.Free", block, books);
  }
  record_gone(books, block, found->second);
  watch(block, false);
  std::free(block);
}

}  // namespace detail
}  // namespace standin
