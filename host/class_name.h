// The class name of a game object, read through the game's own fields and FName.ToString.
#pragma once

#include "host/fstring.h"

namespace quellwarden::host {

// A game object's class: the class object, one for every object of the class, and its name.
struct ObjectClass {
  const void* object;
  FString name;
};
// The class of `object` (not the object's own name). `object` must not be null.
ObjectClass read_class(const void* object);

}  // namespace quellwarden::host
