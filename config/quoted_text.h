// A member or class name as a diagnostic quotes it, whatever bytes the file holds.
#pragma once

#include <string>
#include <string_view>

namespace quellwarden::config {

// The name as a JSON string literal: "Rex", "tab\there". Bytes that are not UTF-8 become U+FFFD,
// so that a name cannot steer the terminal or break a JSON report.
std::string json_quoted(std::string_view name);

}  // namespace quellwarden::config
