// The current Unix time, read afresh from the runtime's wall clock on every call.
#pragma once

#include <cstdint>

#include "host/platform_calls.h"

namespace quellwarden {

// Whole seconds since 1970-01-01 00:00:00 UTC, the fraction dropped.
inline std::int64_t unix_now() {
  constexpr long long kTicksPerSecond = 10'000'000;
  return _Xtime_get_ticks() / kTicksPerSecond;
}

}  // namespace quellwarden
