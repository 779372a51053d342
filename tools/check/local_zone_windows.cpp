// The C runtime reads TZ where it is set, else the zone Windows is set to; the offset is what the
// local calendar time, read back as UTC, is ahead by.
#include <ctime>

#include "tools/check/local_zone.h"

namespace quellwarden::check {
namespace {

int windows_offset(std::int64_t unix_seconds) {
  const auto time = static_cast<std::time_t>(unix_seconds);
  std::tm local{};
  if (localtime_s(&local, &time) != 0) return 0;  // a year the runtime cannot hold
  const std::time_t as_utc = _mkgmtime(&local);
  return as_utc == -1 ? 0 : static_cast<int>(as_utc - time);
}

}  // namespace

LocalZone system_zone() { return LocalZone{windows_offset}; }

}  // namespace quellwarden::check
