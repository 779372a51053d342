// The members the plugin reads, level by level, and advice for a name it does not know.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quellwarden::check {

enum class Level { top, settings, entry };

// The member names the plugin reads at `level`.
std::span<const std::string_view> known_members(Level level);

// Advice for an unknown member at `level`, to append to the warning: "; did you mean
// \"HoursToDelay\"?" for a near miss, "; it belongs inside \"DinoSettings\"" for a member of
// another level, or empty.
std::string member_advice(std::string_view name, Level level);

}  // namespace quellwarden::check
