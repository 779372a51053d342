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
};

std::string text_report(const CheckResult& result, const ReportContext& context);

// {"wipe_timestamp", "riding", "taming", "warnings", "errors"}; wipe_timestamp is null and the
// lists are empty when the plugin would refuse the file. Each warning is {"code", "path", "text"}.
std::string json_report(const CheckResult& result);

}  // namespace quellwarden::check
