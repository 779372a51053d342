// The class name of a game object, read through the game's own fields and FName.ToString.
#pragma once

#include "host/fstring.h"

namespace quellwarden::host {

// The name of `object`'s class (not the object's own name). `object` must not be null.
FString read_class_name(const void* object);

// A game object's class: the class object, one for every object of the class, and its name.
struct ObjectClass {
  const void* object;
  FString name;
};
// As read_class_name, with the class object the name was read from: no more host work.
ObjectClass read_class(const void* object);

}  // namespace quellwarden::host
