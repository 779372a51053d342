// Likely causes of a parse error that the JSON library's message leaves cryptic.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellwarden::config {

// For a file that does not parse: saved as UTF-16, empty, saved in a Windows code page (a byte
// that is not UTF-8), curly quotes from a word processor, a comment never closed, single quotes.
// Each cause once, with the line it is first seen on; empty when none is seen.
std::vector<std::string> parse_hints(std::string_view bytes);

// Where the parser, stopped at `error_at` with the message `error`, met a value right after
// another inside an object or array: "line 7: a comma is missing after the value that ends on
// line 6".
std::optional<std::string> missing_comma_hint(std::string_view bytes, std::size_t error_at,
                                              std::string_view error);

}  // namespace quellwarden::config
