// The pieces diagnose() puts together, each judging one side of a configuration.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"

namespace quellwarden::config {

using Diagnostics = std::vector<Diagnostic>;
using MemberPath = std::vector<std::string>;

// From the document's shape: members the plugin ignores or expects elsewhere, lists that are
// arrays or null, class names that differ only in ASCII letter case or are no class names, hours
// that are missing, negative, not whole or absurd, a missing or not whole "WipeTimestamp". Only
// the levels the plugin reads are walked, so any document is safe.
Diagnostics structure_diagnostics(const nlohmann::json& document);

// What is wrong with a class name of the list `list_name`, standing at `path`, if anything: a
// blueprint path, quotes, blanks or control characters in it, or no "_C" at its end.
std::optional<Diagnostic> class_name_diagnostic(std::string_view class_name,
                                                std::string_view list_name, MemberPath path);

// From the bytes: a member given twice where the plugin reads (the parser keeps the last one).
// `bytes` must hold a document that parses.
Diagnostics duplicate_member_diagnostics(std::string_view bytes);

// From the bytes: anything but blanks after the first JSON value, which the reader never sees.
Diagnostics trailing_text_diagnostics(std::string_view bytes, const nlohmann::json& document);

// A wipe time in the future, in milliseconds, more than a year ago, or so long ago that every
// listed unlock is past. `member` is the "WipeTimestamp" member as the file gives it, a number or
// a date, or null when the file lacks it (its own diagnostic says so, and this one nothing).
Diagnostics wipe_diagnostics(const Configuration& configuration, const nlohmann::json* member,
                             std::int64_t now);

}  // namespace quellwarden::config
