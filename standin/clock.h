// The runtime clock the plugin reads (_Xtime_get_ticks), frozen at will to decide what "now" is.
#pragma once

#include <cstdint>
#include <limits>

#include "host/export.h"

namespace standin {

inline constexpr long long kTicksPerSecond = 10'000'000;
// The seconds the clock can hold: its 100-nanosecond ticks fill a signed 64-bit number.
inline constexpr std::int64_t kClockFirstSecond =
    std::numeric_limits<long long>::min() / kTicksPerSecond;
inline constexpr std::int64_t kClockLastSecond =
    std::numeric_limits<long long>::max() / kTicksPerSecond;

// Freezes the clock at that Unix second until changed or thawed. A second outside
// [kClockFirstSecond, kClockLastSecond] is refused (false) and the clock stays as it was.
ASAAPI_EXPORT bool freeze_clock(std::int64_t unix_seconds);
// Back to the system wall clock.
ASAAPI_EXPORT void thaw_clock();
ASAAPI_EXPORT bool clock_frozen();
ASAAPI_EXPORT std::int64_t clock_seconds();

}  // namespace standin
