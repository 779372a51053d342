// Text from a configuration file or from the game as it may appear in a log line, a reply, the
// status or the checker's report: control characters escaped, so that it can neither break a line
// nor forge one, nor steer a terminal. The one escape for all of them.
#pragma once

#include <string>
#include <string_view>

namespace quellwarden {

// "\r", "\n" and "\t" as those two characters; other control characters below 0x20, and DEL, as
// "\u001b". Everything else passes unchanged: UTF-8 letters, quotes and backslashes too.
std::string printable(std::string_view text);

// Whether printable() would change `text`; most texts pass as they are, without a copy.
bool needs_escape(std::string_view text);

}  // namespace quellwarden
