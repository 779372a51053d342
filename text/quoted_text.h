// Names as a diagnostic or an error quotes them, whatever bytes the file holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quellwarden {

// The name in double quotes, escaped as every text from the file is (printable()): "Rex",
// "tab\there". Quotes inside stay as they are.
std::string in_quotes(std::string_view name);

// Items as a sentence lists them: "a", "a and b", "a, b and c".
std::string spoken_list(const std::vector<std::string>& items);

}  // namespace quellwarden
