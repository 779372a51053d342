// The creature classes of the game's own content (config/creature-classes.txt), and the one a
// listed class name that is not among them was most likely meant as.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace quellwarden::config {

struct GameClassMatch {
  bool listed = false;  // the name is a class of the game's list, ASCII letter case ignored
  // The game's class the name was most likely meant as, when it is not one itself: the nearest
  // within two edits after ASCII letter case is folded, or the one that differs from it only by
  // "_C" at the end or "BP_" in it. Absent for a name close to none, such as a mod's creature.
  std::optional<std::string_view> meant;
};

// The game's classes, as the list spells them, in its order.
std::span<const std::string_view> game_classes();

// Whether `class_name` is a class of the game's list, ASCII letter case ignored.
bool is_game_class(std::string_view class_name);

// Cheap for names close to no game class too, as a mod's list of thousands is.
GameClassMatch match_game_class(std::string_view class_name);

}  // namespace quellwarden::config
