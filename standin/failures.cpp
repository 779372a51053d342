// Failures on demand, so that a test or a sandbox script can show how the plugin copes when the
// host cannot resolve a name, install a hook or register a command, or the game throws or runs
// out of memory. A switch that is not armed costs one relaxed atomic read where it is checked:
// the resolver and the allocator run on every gate decision, and measurements of the plugin must
// not carry the stand-in's bookkeeping.
#include "standin/failures.h"

#include <atomic>

#include "standin/world.h"
#include "text/ascii_fold.h"

namespace standin {
namespace {

using Counts = std::map<std::string, std::size_t, std::less<>>;

struct Pending {
  std::mutex mutex;
  Counts resolves;  // look-ups still to yield null
  Counts throws;    // uses still to throw
  Counts hooks;
  Counts commands;  // keyed folded: ASCII case is ignored, as the registry ignores it
};

Pending& pending() { return detail::forever<Pending>(); }

// Entries in any of the maps above, so an empty set is seen without the lock. Constant-
// initialized, so no first-use guard stands in front of it either.
std::atomic<std::size_t> armed_names{0};
// Allocating calls until the refused one (1: the next), 0 when none is armed.
std::atomic<std::size_t> alloc_countdown{0};
std::atomic<bool> module_lookup_fails{false};

void erase(Counts& counts, Counts::iterator entry) {
  counts.erase(entry);
  armed_names.fetch_sub(1, std::memory_order_relaxed);
}

bool take(Counts& counts, std::string_view name) {
  if (armed_names.load(std::memory_order_relaxed) == 0) {
    return false;
  }
  const std::lock_guard lock(pending().mutex);
  const auto found = counts.find(name);
  if (found == counts.end()) {
    return false;
  }
  if (--found->second == 0) {
    erase(counts, found);
  }
  return true;
}

void arm(Counts& counts, std::string_view name, std::size_t count) {
  const std::lock_guard lock(pending().mutex);
  const auto found = counts.find(name);
  if (found != counts.end()) {
    erase(counts, found);
  }
  if (count != 0) {
    counts.emplace(name, count);
    armed_names.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace

void fail_resolve(std::string_view name, std::size_t count) {
  arm(pending().resolves, name, count);
}

void fail_throw(std::string_view name, std::size_t count) { arm(pending().throws, name, count); }

void fail_alloc(std::size_t nth) { alloc_countdown.store(nth, std::memory_order_relaxed); }

bool alloc_failure_pending() { return alloc_countdown.load(std::memory_order_relaxed) != 0; }

void fail_next_hook(std::string_view signature) { arm(pending().hooks, signature, 1); }

void fail_next_command(std::string_view name) {
  arm(pending().commands, quellwarden::ascii_folded(name), 1);
}

void fail_next_module_lookup() { module_lookup_fails.store(true, std::memory_order_relaxed); }

namespace detail {

NameFailure name_fails(std::string_view name) {
  if (armed_names.load(std::memory_order_relaxed) == 0) {
    return NameFailure::none;
  }
  if (take(pending().resolves, name)) {
    return NameFailure::null;
  }
  return take(pending().throws, name) ? NameFailure::throws : NameFailure::none;
}

bool hook_fails(std::string_view signature) { return take(pending().hooks, signature); }

bool command_fails(std::string_view name) {
  return armed_names.load(std::memory_order_relaxed) != 0 &&
         take(pending().commands, quellwarden::ascii_folded(name));
}

bool allocation_fails() {
  std::size_t left = alloc_countdown.load(std::memory_order_relaxed);
  while (left != 0 && !alloc_countdown.compare_exchange_weak(left, left - 1)) {
  }
  return left == 1;
}

bool module_lookup_fails_now() {
  return module_lookup_fails.load(std::memory_order_relaxed) && module_lookup_fails.exchange(false);
}

void reset_failures() {
  const std::lock_guard lock(pending().mutex);
  for (Counts* counts :
       {&pending().resolves, &pending().throws, &pending().hooks, &pending().commands}) {
    counts->clear();
  }
  armed_names.store(0, std::memory_order_relaxed);
  alloc_countdown.store(0, std::memory_order_relaxed);
  module_lookup_fails.store(false, std::memory_order_relaxed);
}

}  // namespace detail
}  // namespace standin
