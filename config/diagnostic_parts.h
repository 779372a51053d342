// What a configuration may say that the plugin accepts but an administrator almost surely did
// not mean. Each warning is one sentence without a final full stop.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellwarden::check {

// From the document's shape: members the plugin ignores, lists given as arrays, class names that
// differ only in ASCII letter case, hours that are negative or not whole numbers, entries without
// "HoursToDelay", a missing or fractional "WipeTimestamp". Safe on any document.
std::vector<std::string> structure_warnings(const nlohmann::json& document);

// From the text: a member given twice where the plugin reads (the parser keeps the last one).
// `text` must hold a document that parses.
std::vector<std::string> duplicate_member_warnings(std::string_view text);

// A wipe time in the future or more than a year before `now`; nothing when "WipeTimestamp" is
// absent (its own warning says so).
std::vector<std::string> wipe_warnings(std::optional<std::int64_t> wipe_timestamp,
                                       std::int64_t now);

}  // namespace quellwarden::check
