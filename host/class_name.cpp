// Three lookups by name and one game call, every time: the plugin keeps no field offsets.
#include "host/class_name.h"

#include "host/game_functions.h"

namespace quellwarden::host {

ObjectClass read_class(const void* object) {
  ObjectClass found{*field_of<game::class_of_object>(object), FString()};
  call<game::name_to_string>(field_of<game::name_of_class>(found.object), found.name);
  return found;
}

}  // namespace quellwarden::host
