// The last good configuration: a copy of the file that last applied, kept beside it, so that a
// restart with a broken config.json still holds back what the admin last meant to hold back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/refusal.h"

namespace quellwarden {

// Writes `bytes` as the copy (replace_file), so that the copy is always one whole file; its time is
// set to `now` (Unix seconds). When it cannot be written, one warning says so, and nothing else
// changes: no temporary file stays, the old copy stays as it was.
void keep_last_good(std::string_view bytes, std::int64_t now) noexcept;

// When the copy was written (Unix seconds); nothing when there is no copy.
std::optional<std::int64_t> last_good_written();

// "applied the last good configuration from ..., written ..., instead: config.json was refused".
std::string last_good_applied(std::int64_t written);

// At start, after config.json was refused for `refused` (and logged): applies the copy instead and
// says so, or says that the copy was refused too, or that it is from an earlier wipe (every unlock
// in it past) and was not applied. Without a copy nothing is held back, as before.
void fall_back_to_last_good(const config::Refusal& refused);

}  // namespace quellwarden
