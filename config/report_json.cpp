// Member order is fixed so that the output reads the same every time.
#include "config/report_json.h"

#include "config/time_text.h"

namespace quellwarden::config {

nlohmann::ordered_json entry_json(const DelayEntry& entry, std::int64_t now) {
  const bool locked = entry.unlock_time > now;
  nlohmann::ordered_json json{
      {"class", entry.class_name},
      {"hours", entry.hours},
      {"unlock", entry.unlock_time},
      {"locked", locked},
      {"seconds_left", locked ? seconds_between(now, entry.unlock_time) : 0U}};
  if (!entry.display_name.empty()) json["display_name"] = entry.display_name;
  return json;
}

nlohmann::ordered_json entries_json(const std::vector<DelayEntry>& entries, std::int64_t now) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const DelayEntry& entry : entries) list.push_back(entry_json(entry, now));
  return list;
}

nlohmann::ordered_json diagnostics_json(const std::vector<Diagnostic>& diagnostics) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Diagnostic& diagnostic : diagnostics) {
    list.push_back({{"code", code_name(diagnostic.code)},
                    {"path", diagnostic.path},
                    {"text", diagnostic.text}});
  }
  return list;
}

nlohmann::ordered_json notices_json(const NoticeSettings& notices) {
  return {{"cooldown_seconds", notices.cooldown_seconds},
          {"taming", notices.taming},
          {"imprinting", notices.imprinting},
          {"riding", notices.riding},
          {"chat_command", notices.chat_command}};
}

}  // namespace quellwarden::config
