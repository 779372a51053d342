// Text from a configuration file or from the game as it may appear in a log line, a reply, the
// status or the checker's report: control and invisible characters escaped, so that it can
// neither break a line nor forge one, nor steer a terminal, nor hide or reorder what it shows. The
// one escape for all of them.
#pragma once

#include <string>
#include <string_view>

namespace quellwarden {

// "\r", "\n" and "\t" as those two characters; other control characters below 0x20, and DEL, as
// "\u001b". So are, in lower-case hex, the characters that end a line in tools that split lines
// the Unicode way, turn text around or show nothing: C1 controls (U+0080 to U+009F), U+00AD,
// U+061C, U+180E, U+200B to U+200F, U+2028 to U+202E, U+2060 to U+206F, U+FEFF and U+FFF9 to
// U+FFFB. Everything else passes unchanged: UTF-8 letters, quotes, backslashes and bytes that are
// not UTF-8 too.
std::string printable(std::string_view text);

}  // namespace quellwarden
