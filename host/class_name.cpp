// Three lookups by name and one game call, every time: the plugin keeps no field offsets.
#include "host/class_name.h"

#include "host/game_functions.h"

namespace quellwarden::host {

FString read_class_name(const void* object) {
  const void* class_object = *field_of(object, game::class_of_object);
  FName* name = field_of(class_object, game::name_of_class);
  FString text;
  call(game::name_to_string, name, text);
  return text;
}

}  // namespace quellwarden::host
