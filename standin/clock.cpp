// The runtime's wall clock as the plugin reads it (_Xtime_get_ticks), which the host can freeze at
// any instant so that tests and the sandbox decide what "now" is.
#include "standin/clock.h"

#include <atomic>
#include <chrono>

namespace standin {
namespace {

std::atomic<bool> frozen{false};
std::atomic<long long> frozen_ticks{0};

long long system_ticks() {
  using Ticks = std::chrono::duration<long long, std::ratio<1, kTicksPerSecond>>;
  return std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

long long current_ticks() { return frozen.load() ? frozen_ticks.load() : system_ticks(); }

}  // namespace

// Checked before multiplying: a wrapped product would put the clock before 1970 without a word.
bool freeze_clock(std::int64_t unix_seconds) {
  if (unix_seconds < kClockFirstSecond || unix_seconds > kClockLastSecond) {
    return false;
  }
  frozen_ticks.store(unix_seconds * kTicksPerSecond);
  frozen.store(true);
  return true;
}

void thaw_clock() { frozen.store(false); }

bool clock_frozen() { return frozen.load(); }

std::int64_t clock_seconds() { return current_ticks() / kTicksPerSecond; }

}  // namespace standin

extern "C" ASAAPI_EXPORT long long _Xtime_get_ticks() { return standin::current_ticks(); }
