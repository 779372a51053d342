// Terminals here take UTF-8 as they are set: nothing to change.
#include "tools/check/console.h"

namespace quellwarden::check {

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

}  // namespace quellwarden::check
