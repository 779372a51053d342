// Three lookups by name and one game call, every time: the plugin keeps no field offsets.
#include "host/class_name.h"

#include "host/game_functions.h"

namespace quellwarden::host {

FString read_class_name(const void* object) {
  const void* class_object = *field_of<game::class_of_object>(object);
  FName* name = field_of<game::name_of_class>(class_object);
  FString text;
  call<game::name_to_string>(name, text);
  return text;
}

ObjectClass read_class(const void* object) {
  ObjectClass found{*field_of<game::class_of_object>(object), FString()};
  call<game::name_to_string>(field_of<game::name_of_class>(found.object), found.name);
  return found;
}

}  // namespace quellwarden::host
