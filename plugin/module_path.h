// The full path of the plugin's own library file, as the host's messenger lookup wants it.
#pragma once

#include "host/fstring.h"

namespace quellwarden {

// However long the path is: the buffer grows until it fits. Throws std::runtime_error when the
// system cannot name the module.
FString module_path();

}  // namespace quellwarden
