// Text from a configuration file as it may appear in a log line or a reply: control characters
// escaped, so a class name can neither break a line nor forge one.
#pragma once

#include <string>
#include <string_view>

namespace quellwarden {

// "\r", "\n" and "\t" as those two characters; other control characters (and DEL) as "\u001b".
std::string printable(std::string_view text);

}  // namespace quellwarden
