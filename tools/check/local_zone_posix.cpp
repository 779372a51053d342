// The C library reads TZ, or the system's zone file, on the first call.
#include <ctime>

#include "tools/check/local_zone.h"

namespace quellwarden::check {
namespace {

int posix_offset(std::int64_t unix_seconds) {
  const auto time = static_cast<std::time_t>(unix_seconds);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return 0;  // a year the library cannot hold
  return static_cast<int>(local.tm_gmtoff);
}

}  // namespace

LocalZone system_zone() { return LocalZone{posix_offset}; }

}  // namespace quellwarden::check
