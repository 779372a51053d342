// Likely causes of a parse error that the JSON library's message leaves cryptic.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quellwarden::config {

// For a file that does not parse: saved as UTF-16, empty, saved in a Windows code page (a byte
// that is not UTF-8), curly quotes from a word processor, comments, single quotes, a comma before
// } or ]. Each cause once, with the line it is first seen on; empty when none is seen.
std::vector<std::string> parse_hints(std::string_view bytes);

}  // namespace quellwarden::config
