// The creature classes of the game's own content with the names players know them by
// (config/creature-classes.tsv), and the ones a listed class name that is not among them was most
// likely meant as.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quellwarden::config {

struct GameClass {
  std::string_view class_name;   // as the game names it: "Gigant_Character_BP_C"
  std::string_view common_name;  // as players know it: "Giganotosaurus"
};

struct GameClassMatch {
  bool in_game_list = false;  // the name is a class of the game's list, ASCII case ignored
  // What the name was most likely meant as when it is not a game class itself, best first, at most
  // three: the classes whose common name the name says (the whole common name, or one of its
  // words, is a word or a run of words of the name; words split at "_", blanks and a lower case
  // letter before an upper case one, "Character", "BP" and "C" left out, letter case ignored):
  // whole common names first, then those beginning with a word that matched, then those with a
  // prefix such as "Alpha", each shorter common names first; when no common name matches, the
  // nearest class within two edits or by "_C" or "BP_" left out. Empty for a name close to none.
  std::vector<GameClass> meant;
};

// The longest name compared: no longer one is a class or near one (creature_classes.cmake too).
inline constexpr std::size_t kLongestClassName = 64;

// The Levenshtein distance of `a` and `b` over bytes when it is at most two edits, else 3: how
// near a name must be to be suggested. `b` is at most kLongestClassName bytes long.
std::size_t near_distance(std::string_view a, std::string_view b);

// The game's classes, in the list's order.
std::span<const GameClass> game_classes();

// Whether `class_name` is a class of the game's list, ASCII letter case ignored.
bool is_game_class(std::string_view class_name);

// The game's class `class_name` names, ASCII letter case ignored; none for a name not in the list.
std::optional<GameClass> game_class_named(std::string_view class_name);

// Cheap for names close to no game class too, as a mod's list of thousands is.
GameClassMatch match_game_class(std::string_view class_name);

// The game's class `class_name` is but for "_C" or "BP_" left out, or else the nearest within two
// edits after ASCII letter case is folded (of equally near ones, the first in the list); none for
// a name close to no game class. What match_game_class() offers when no common name matches.
std::optional<GameClass> nearest_game_class(std::string_view class_name);

}  // namespace quellwarden::config
