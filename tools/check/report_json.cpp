// Entries and warnings in the shape the status gives them; text that is not UTF-8 (a parse error
// quoting binary garbage) is replaced rather than refused.
#include "config/report_json.h"

#include <nlohmann/json.hpp>

#include "tools/check/report.h"

namespace quellwarden::check {

using Json = nlohmann::ordered_json;

std::string json_report(const CheckResult& result, std::int64_t now) {
  Json report;
  report["now"] = now;
  report["wipe_timestamp"] =
      result.schedule ? Json(result.schedule->wipe_timestamp) : Json(nullptr);
  report["riding"] =
      result.schedule ? config::entries_json(result.schedule->riding, now) : Json::array();
  report["taming"] =
      result.schedule ? config::entries_json(result.schedule->taming, now) : Json::array();
  if (result.schedule && result.schedule->notices) {
    report["player_notices"] = config::notices_json(*result.schedule->notices);
  }
  report["warnings"] = config::diagnostics_json(result.warnings);
  report["errors"] = result.errors;
  report["hints"] = result.hints;
  if (result.wrong_wipe) report["wrong_wipe"] = *result.wrong_wipe;
  return report.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace quellwarden::check
