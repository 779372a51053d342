// The two ways of telling the result of a check: a report for a person, one JSON object for a
// script.
#pragma once

#include <cstdint>
#include <string>

#include "tools/check/check.h"
#include "tools/check/local_zone.h"

namespace quellwarden::check {

struct ReportContext {
  std::string config_path;
  std::int64_t now = 0;
  LocalZone zone;  // outside UTC, the wipe and the unlocks are also shown in its local time
};

std::string text_report(const CheckResult& result, const ReportContext& context);

// {"now", "wipe_timestamp", "riding", "taming", "warnings", "errors", "hints"}, and "wrong_wipe"
// when the file's wipe is not the one given with --wipe; wipe_timestamp is
// null and the lists are empty when the plugin would refuse the file. Each entry is {"class",
// "hours", "unlock", "locked", "seconds_left"} judged at `now`, each warning {"code", "path",
// "text"}, as the status command gives them.
std::string json_report(const CheckResult& result, std::int64_t now);

}  // namespace quellwarden::check
