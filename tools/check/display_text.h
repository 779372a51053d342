// Member and class names shown to a person: quoted, control characters escaped, aligned.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/quoted_text.h"

namespace quellwarden::check {

using config::json_quoted;

// The name unquoted, with control characters escaped as in json_quoted() so that a name cannot
// steer the terminal.
std::string printable(std::string_view name);

// A path as printable() shows a name, but with its backslashes and quotes as typed: they are a
// Windows path's own characters.
std::string printable_path(std::string_view path);

// Characters (not bytes) of UTF-8 text, for lining up columns.
std::size_t display_width(std::string_view text);

// `text` padded with blanks to `width` characters; longer text is cut and ends in "...".
std::string fit(std::string_view text, std::size_t width);

// `text` padded with blanks to `width` characters; longer text stays whole.
std::string padded(std::string_view text, std::size_t width);

}  // namespace quellwarden::check
