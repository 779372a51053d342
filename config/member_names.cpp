// A near miss ignores letter case, since the parser does not: "disallowriding" is as unknown to
// the plugin as "Disallow", and both were meant as "DisallowRiding".
#include "config/member_names.h"

#include <string>

#include "config/creature_classes.h"
#include "config/vocabulary.h"
#include "text/ascii_fold.h"

namespace quellwarden::config {
namespace {

constexpr std::size_t kShortestCutName = 4;

// "Hours" and "DisallowRide" are cut short: all but their last letter starts the known name.
bool cut_short(const std::string& name, const std::string& known) {
  return name.size() >= kShortestCutName && name.size() < known.size() &&
         known.starts_with(std::string_view(name).substr(0, name.size() - 1));
}

bool near_miss(std::string_view name, std::string_view known) {
  const std::string folded_name = ascii_folded(name);
  const std::string folded_known = ascii_folded(known);
  return near_distance(folded_name, folded_known) <= 2 || cut_short(folded_name, folded_known);
}

}  // namespace

// Read from the tables: a level a member holds stands inside that member.
std::string level_place(Level level) {
  if (level == Level::top) return "at the top level";
  if (level == Level::entry) return "inside each class entry";
  for (const Member& member : kTopMembers) {
    if (member.kept == Kept::level && member.inner == level) {
      return "inside \"" + std::string(member.name) + "\"";
    }
  }
  return {};
}

std::optional<MemberMatch> meant_member(std::string_view name, Level level) {
  // The near-name search compares at most kLongestClassName bytes; no member's name is near it.
  if (name.size() > kLongestClassName) return std::nullopt;
  for (const Member& known : members_of(level)) {
    if (near_miss(name, known.name)) return MemberMatch{known.name, level};
  }
  for (const Level other : kLevels) {
    if (other == level) continue;
    for (const Member& known : members_of(other)) {
      if (near_miss(name, known.name)) return MemberMatch{known.name, other};
    }
  }
  return std::nullopt;
}

}  // namespace quellwarden::config
