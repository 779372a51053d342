// So that an admin finds a class name without the source: "--classes reaper" shows the Reaper
// King's and Queen's classes, whatever the game calls them.
#include "tools/check/class_list.h"

#include <algorithm>
#include <vector>

#include "config/creature_classes.h"
#include "text/ascii_fold.h"
#include "tools/check/display_text.h"

namespace quellwarden::check {
std::string class_list_text(std::string_view filter) {
  std::vector<config::GameClass> kept;
  for (const config::GameClass& game_class : config::game_classes()) {
    if (contains_folded(game_class.class_name, filter) ||
        contains_folded(game_class.common_name, filter)) {
      kept.push_back(game_class);
    }
  }
  if (kept.empty()) {
    return "no creature class of the game with " + in_quotes(filter) +
           " in its class or common name\n";
  }
  std::size_t width = 0;
  for (const config::GameClass& game_class : kept) {
    width = std::max(width, game_class.class_name.size());
  }
  std::string text;
  for (const config::GameClass& game_class : kept) {
    text += padded(game_class.class_name, width + 2) + std::string(game_class.common_name) + "\n";
  }
  return text;
}

}  // namespace quellwarden::check
