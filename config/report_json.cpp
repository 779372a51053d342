// Member order is fixed so that the output reads the same every time.
#include "config/report_json.h"

#include <nlohmann/json.hpp>

#include "config/creature_classes.h"
#include "config/time_text.h"

namespace quellwarden::config {
namespace {

using Json = nlohmann::ordered_json;

Json entries_json(const std::vector<DelayEntry>& entries, std::int64_t now) {
  Json list = Json::array();
  for (const DelayEntry& entry : entries) {
    const bool locked = entry.unlock_time > now;
    Json& json = list.emplace_back(
        Json{{"class", entry.class_name},
             {"hours", entry.hours},
             {"unlock", entry.unlock_time},
             {"locked", locked},
             {"seconds_left", locked ? seconds_between(now, entry.unlock_time) : 0U},
             {"in_game_list", is_game_class(entry.class_name)}});
    if (!entry.display_name.empty()) json["display_name"] = entry.display_name;
  }
  return list;
}

Json notices_json(const std::optional<NoticeSettings>& notices) {
  if (!notices) return nullptr;
  return {{"cooldown_seconds", notices->cooldown_seconds},
          {"taming", notices->taming},
          {"imprinting", notices->imprinting},
          {"riding", notices->riding},
          {"chat_command", notices->chat_command}};
}

Json announcements_json(const std::optional<AnnouncementSettings>& announcements) {
  if (!announcements) return nullptr;
  return {{"taming", announcements->taming},
          {"riding", announcements->riding},
          {"remind_before", announcements->remind_before},
          {"taming_soon", announcements->taming_soon},
          {"riding_soon", announcements->riding_soon}};
}

}  // namespace

struct JsonObject::Held {
  Json json = Json::object();
};

JsonObject::JsonObject() : held_(std::make_unique<Held>()) {}
JsonObject::~JsonObject() = default;
JsonObject::JsonObject(JsonObject&& other) noexcept = default;
JsonObject& JsonObject::operator=(JsonObject&& other) noexcept = default;

template <typename Value>
JsonObject& JsonObject::set(std::string_view name, Value&& value) {
  held_->json[std::string(name)] = std::forward<Value>(value);
  return *this;
}

JsonObject& JsonObject::number(std::string_view name, std::optional<std::int64_t> value) {
  return value ? set(name, *value) : set(name, nullptr);
}
JsonObject& JsonObject::flag(std::string_view name, bool value) { return set(name, value); }
JsonObject& JsonObject::text(std::string_view name, std::string_view value) {
  return set(name, value);
}
JsonObject& JsonObject::texts(std::string_view name, const std::vector<std::string>& values) {
  return set(name, values);
}
JsonObject& JsonObject::object(std::string_view name, std::optional<JsonObject> value) {
  return value ? set(name, std::move(value->held_->json)) : set(name, nullptr);
}

JsonObject& JsonObject::objects(std::string_view name, std::vector<JsonObject> values) {
  Json list = Json::array();
  for (JsonObject& value : values) list.push_back(std::move(value.held_->json));
  return set(name, std::move(list));
}

JsonObject& JsonObject::schedule(std::int64_t now, const Schedule* schedule,
                                 const std::vector<Diagnostic>& warnings) {
  static const Schedule kNone;
  const Schedule& shown = schedule != nullptr ? *schedule : kNone;
  const auto wipe = schedule != nullptr ? std::optional(schedule->wipe_timestamp) : std::nullopt;
  return number("now", now)
      .number("wipe_timestamp", wipe)
      .set("riding", entries_json(shown.riding, now))
      .set("taming", entries_json(shown.taming, now))
      .set("player_notices", notices_json(shown.notices))
      .set("announcements", announcements_json(shown.announcements))
      .warnings(warnings);
}

JsonObject& JsonObject::warnings(const std::vector<Diagnostic>& diagnostics) {
  Json list = Json::array();
  for (const Diagnostic& warning : diagnostics) {
    list.push_back(
        {{"code", code_name(warning.code)}, {"path", warning.path}, {"text", warning.text}});
  }
  return set("warnings", std::move(list));
}

JsonObject& JsonObject::refusal(const Refusal* refusal) {
  const bool hinted = refusal != nullptr && !refusal->hints.empty();
  return set("error", refusal != nullptr ? Json(refusal->text) : Json(nullptr))
      .set("place",
           refusal != nullptr && !refusal->path.empty() ? Json(refusal->path) : Json(nullptr))
      .set("hint", hinted ? Json(hint_line(*refusal)) : Json(nullptr));
}

std::string JsonObject::dump(bool indented) const {
  return held_->json.dump(indented ? 2 : -1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quellwarden::config
