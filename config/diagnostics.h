// What a configuration may say that the plugin accepts but an administrator almost surely did
// not mean, each finding with a stable code, the member it is about and a text that names the fix.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace quellwarden::config {

struct Diagnostic {
  std::string code;               // stable snake_case: "unknown_member", "stale_wipe", ...
  std::vector<std::string> path;  // member names from the top; empty for the file as a whole
  std::string text;               // one sentence without a final full stop
};

// Every diagnostic for a file whose bytes are `bytes` and which parse_document() read into
// `document`, judging times against `now` (Unix seconds). Pure: the plugin may call it at load
// and the checker on any file. A file the reader refuses still gets the diagnostics its shape
// allows; those about times need a file the reader accepts.
std::vector<Diagnostic> diagnose(std::string_view bytes, const nlohmann::json& document,
                                 std::int64_t now);

}  // namespace quellwarden::config
