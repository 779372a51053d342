// UTF-8 texts become FStrings here: class names for the tables, player messages, RCON replies.
#pragma once

#include <string_view>

#include "host/fstring.h"

namespace quellwarden::host {

// Decodes the UTF-8 text up to its first NUL byte into UTF-16 (four-byte sequences as surrogate
// pairs, malformed bytes as U+FFFD) and hands it to the host's wide constructor. Up to 127 units
// need no allocation; a longer text borrows a block from the game's allocator for the call.
FString widen(std::string_view text);

}  // namespace quellwarden::host
