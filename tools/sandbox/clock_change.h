// The argument of the `clock` command: an absolute Unix second, or a step from now such as +3h.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quellwarden::sandbox {

// "1700000000" sets that second; "+<n><s|m|h|d>" and "-<n><s|m|h|d>" step from `now`. Nothing
// for any other text or a result beyond 64-bit seconds.
std::optional<std::int64_t> apply_clock_change(std::string_view text, std::int64_t now);

}  // namespace quellwarden::sandbox
