// The game's creature classes with their common names, as `quellwarden-check --classes` lists them.
#pragma once

#include <string>
#include <string_view>

namespace quellwarden::check {

// One line a class, its name then its common name in a column, in the list's order; only those
// whose class or common name contains `filter`, ASCII letter case ignored (an empty filter keeps
// every class). A filter that keeps none gets one line saying so.
std::string class_list_text(std::string_view filter);

}  // namespace quellwarden::check
