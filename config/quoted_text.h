// A member or class name as a diagnostic or an error quotes it, whatever bytes the file holds.
#pragma once

#include <string>
#include <string_view>

namespace quellwarden::config {

// The name in double quotes, escaped as every text from the file is (printable()): "Rex",
// "tab\there". Quotes inside stay as they are.
std::string in_quotes(std::string_view name);

}  // namespace quellwarden::config
