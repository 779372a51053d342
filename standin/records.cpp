// How much of what happened the records keep, for the whole stand-in, and the whole-world reset
// between tests: every record and setting back to how a fresh server starts.
#include "standin/records.h"

#include <atomic>

#include "standin/standin.h"
#include "standin/world.h"

namespace standin {
namespace {

// Far more than any one test causes between two resets.
constexpr std::size_t kDefaultKept = 4096;
std::atomic<std::size_t> kept{kDefaultKept};

}  // namespace

void keep_latest_records(std::size_t entries) { kept.store(entries, std::memory_order_relaxed); }

void reset_records() {
  detail::reset_game_records();
  detail::reset_messenger_records();
  detail::reset_rcon_records();
  detail::reset_failures();
  thaw_clock();
  reset_world();
}

namespace detail {

std::size_t kept_entries() noexcept { return kept.load(std::memory_order_relaxed); }

}  // namespace detail
}  // namespace standin
