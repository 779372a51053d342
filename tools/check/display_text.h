// Member and class names shown to a person: quoted or not, control characters escaped, aligned.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/printable.h"
#include "text/quoted_text.h"
#include "text/utf8.h"

namespace quellwarden::check {

using quellwarden::in_quotes;

// `text` padded with blanks to `width` characters; longer text is cut and ends in "...".
std::string fit(std::string_view text, std::size_t width);

// `text` padded with blanks to `width` characters; longer text stays whole.
std::string padded(std::string_view text, std::size_t width);

}  // namespace quellwarden::check
