// The report in the shape the status gives: the configuration's part is built by the same code.
#include "config/report_json.h"

#include "tools/check/report.h"

namespace quellwarden::check {

std::string json_report(const CheckResult& result, std::int64_t now) {
  config::JsonObject report;
  report.schedule(now, result.schedule ? &*result.schedule : nullptr, result.warnings)
      .texts("errors", result.errors)
      .texts("hints", result.hints);
  if (result.wrong_wipe) report.text("wrong_wipe", *result.wrong_wipe);
  return report.dump(true) + "\n";
}

}  // namespace quellwarden::check
