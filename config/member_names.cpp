// A near miss is a name within two edits of a known one, or equal to it but for letter case.
#include "tools/check/member_names.h"

#include <algorithm>
#include <array>
#include <vector>

#include "tools/check/effective_entries.h"

namespace quellwarden::check {
namespace {

constexpr std::array<std::string_view, 2> kTop{"WipeTimestamp", "DinoSettings"};
constexpr std::array<std::string_view, 2> kSettings{"DisallowRiding", "DisallowTaming"};
constexpr std::array<std::string_view, 1> kEntry{"HoursToDelay"};
constexpr std::size_t kMaxEdits = 2;
constexpr std::size_t kLongestComparedName = 64;

// Levenshtein distance over bytes.
std::size_t edit_distance(std::string_view from, std::string_view to) {
  std::vector<std::size_t> row(to.size() + 1);
  for (std::size_t column = 0; column < row.size(); ++column) row[column] = column;
  for (std::size_t line = 1; line <= from.size(); ++line) {
    std::size_t diagonal = row[0];
    row[0] = line;
    for (std::size_t column = 1; column <= to.size(); ++column) {
      const std::size_t above = row[column];
      const std::size_t change = diagonal + (from[line - 1] == to[column - 1] ? 0 : 1);
      row[column] = std::min({above + 1, row[column - 1] + 1, change});
      diagonal = above;
    }
  }
  return row[to.size()];
}

bool near_miss(std::string_view name, std::string_view known) {
  return ascii_folded(name) == ascii_folded(known) || edit_distance(name, known) <= kMaxEdits;
}

std::string_view place_of(Level level) {
  switch (level) {
    case Level::top:
      return "at the top level";
    case Level::settings:
      return "inside \"DinoSettings\"";
    case Level::entry:
      return "inside each class entry";
  }
  return {};
}

std::string misplaced_advice(std::string_view name, std::string_view known, Level home) {
  const std::string place(place_of(home));
  if (name == known) return "; it belongs " + place;
  return "; did you mean \"" + std::string(known) + "\", which belongs " + place + "?";
}

}  // namespace

std::span<const std::string_view> known_members(Level level) {
  switch (level) {
    case Level::top:
      return kTop;
    case Level::settings:
      return kSettings;
    case Level::entry:
      return kEntry;
  }
  return {};
}

std::string member_advice(std::string_view name, Level level) {
  if (name.size() > kLongestComparedName) return {};
  for (const std::string_view known : known_members(level)) {
    if (near_miss(name, known)) return "; did you mean \"" + std::string(known) + "\"?";
  }
  for (const Level other : {Level::top, Level::settings, Level::entry}) {
    if (other == level) continue;
    for (const std::string_view known : known_members(other)) {
      if (near_miss(name, known)) return misplaced_advice(name, known, other);
    }
  }
  return {};
}

}  // namespace quellwarden::check
