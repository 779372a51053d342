// Member order is fixed so that the output reads the same every time; text that is not UTF-8
// (a parse error quoting binary garbage) is replaced rather than refused.
#include <nlohmann/json.hpp>

#include "config/time_text.h"
#include "tools/check/report.h"

namespace quellwarden::check {
namespace {

using Json = nlohmann::ordered_json;

// "locked" and "seconds_left" as the status command gives them, judged at the report's now.
Json entries_json(const std::vector<config::DelayEntry>& entries, std::int64_t now) {
  Json list = Json::array();
  for (const config::DelayEntry& entry : entries) {
    const bool locked = entry.unlock_time > now;
    list.push_back(
        {{"class", entry.class_name},
         {"hours", entry.hours},
         {"unlock", entry.unlock_time},
         {"locked", locked},
         {"seconds_left", locked ? config::seconds_between(now, entry.unlock_time) : 0U}});
    if (!entry.display_name.empty()) list.back()["display_name"] = entry.display_name;
  }
  return list;
}

Json notices_json(const config::NoticeSettings& notices) {
  return {{"cooldown_seconds", notices.cooldown_seconds},
          {"taming", notices.taming},
          {"imprinting", notices.imprinting},
          {"riding", notices.riding},
          {"chat_command", notices.chat_command}};
}

Json diagnostics_json(const std::vector<config::Diagnostic>& diagnostics) {
  Json list = Json::array();
  for (const config::Diagnostic& diagnostic : diagnostics) {
    list.push_back({{"code", config::code_name(diagnostic.code)},
                    {"path", diagnostic.path},
                    {"text", diagnostic.text}});
  }
  return list;
}

}  // namespace

std::string json_report(const CheckResult& result, std::int64_t now) {
  Json report;
  report["now"] = now;
  report["wipe_timestamp"] =
      result.schedule ? Json(result.schedule->wipe_timestamp) : Json(nullptr);
  report["riding"] = result.schedule ? entries_json(result.schedule->riding, now) : Json::array();
  report["taming"] = result.schedule ? entries_json(result.schedule->taming, now) : Json::array();
  if (result.schedule && result.schedule->notices) {
    report["player_notices"] = notices_json(*result.schedule->notices);
  }
  report["warnings"] = diagnostics_json(result.warnings);
  report["errors"] = result.errors;
  report["hints"] = result.hints;
  return report.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace quellwarden::check
