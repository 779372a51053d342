// The two ways of telling the result of a check: a report for a person, one JSON object for a
// script.
#pragma once

#include <cstdint>
#include <string>

#include "tools/check/check.h"

namespace quellwarden::check {

struct ReportContext {
  std::string config_path;
  std::int64_t now = 0;
  LocalZone zone;  // outside UTC, the wipe and the unlocks are also shown in its local time
};

std::string text_report(const CheckResult& result, const ReportContext& context);

// The configuration's part as the status gives it (config::JsonObject::schedule(), judged at
// `now`; for a refused file no wipe and no entries), then "errors" and "hints", and "wrong_wipe"
// when the file's wipe is not the one given with --wipe.
std::string json_report(const CheckResult& result, std::int64_t now);

}  // namespace quellwarden::check
