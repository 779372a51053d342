// The zone of the machine the checker runs on, in which an admin most likely thinks of the wipe.
#pragma once

#include <cstdint>

#include "config/local_zone.h"

namespace quellwarden::check {

struct LocalZone {
  // Seconds east of UTC at a moment; null for UTC.
  int (*offset_at)(std::int64_t unix_seconds) = nullptr;

  [[nodiscard]] int offset(std::int64_t unix_seconds) const {
    return offset_at == nullptr ? 0 : offset_at(unix_seconds);
  }
  // UTC all year round, as far as the half year from `now` shows: a zone with summer time, or
  // one east or west of UTC, is not.
  [[nodiscard]] bool is_utc(std::int64_t now) const {
    constexpr std::int64_t kHalfYear = 182 * 86400;
    return offset(now) == 0 && offset(now < INT64_MAX - kHalfYear ? now + kHalfYear : now) == 0;
  }
};

// The zone as the system's C library has it, from TZ where that is set: the plugin's own reading.
inline LocalZone system_zone() { return LocalZone{config::local_offset_at}; }

}  // namespace quellwarden::check
