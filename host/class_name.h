// The class name of a game object, read through the game's own fields and FName.ToString.
#pragma once

#include "host/fstring.h"

namespace quellwarden::host {

// The name of `object`'s class (not the object's own name). `object` must not be null.
FString read_class_name(const void* object);

}  // namespace quellwarden::host
