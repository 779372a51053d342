// The known member name an unknown one was meant as, and where each level's members stand.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/members.h"

namespace quellwarden::config {

// Where the members of `level` stand, as a diagnostic says it: "inside \"DinoSettings\"".
std::string level_place(Level level);

struct MemberMatch {
  std::string_view known;
  Level level;  // where `known` belongs; another level than the name's means a misplaced member
};

// The known member an unknown `name` at `level` was most likely meant as: one of its own level
// first, then one of another. A near miss differs in letter case only, is within two edits, or
// is the known name cut short. Nothing for a name that resembles none.
std::optional<MemberMatch> meant_member(std::string_view name, Level level);

}  // namespace quellwarden::config
