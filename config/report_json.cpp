// Member order is fixed so that the output reads the same every time.
#include "config/report_json.h"

#include <nlohmann/json.hpp>

#include "config/creature_classes.h"
#include "config/time_text.h"

namespace quellwarden::config {
namespace {

using Json = nlohmann::ordered_json;

Json entry_json(const DelayEntry& entry, std::int64_t now) {
  const bool locked = entry.unlock_time > now;
  Json json{{"class", entry.class_name},
            {"hours", entry.hours},
            {"unlock", entry.unlock_time},
            {"locked", locked},
            {"seconds_left", locked ? seconds_between(now, entry.unlock_time) : 0U},
            {"in_game_list", is_game_class(entry.class_name)}};
  if (!entry.display_name.empty()) json["display_name"] = entry.display_name;
  return json;
}

Json entries_json(const std::vector<DelayEntry>* entries, std::int64_t now) {
  Json list = Json::array();
  if (entries == nullptr) return list;
  for (const DelayEntry& entry : *entries) list.push_back(entry_json(entry, now));
  return list;
}

Json diagnostics_json(const std::vector<Diagnostic>& diagnostics) {
  Json list = Json::array();
  for (const Diagnostic& diagnostic : diagnostics) {
    list.push_back({{"code", code_name(diagnostic.code)},
                    {"path", diagnostic.path},
                    {"text", diagnostic.text}});
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

}  // namespace

struct JsonObject::Held {
  Json json = Json::object();
};

JsonObject::JsonObject() : held_(std::make_unique<Held>()) {}
JsonObject::~JsonObject() = default;
JsonObject::JsonObject(JsonObject&& other) noexcept = default;
JsonObject& JsonObject::operator=(JsonObject&& other) noexcept = default;

JsonObject& JsonObject::number(std::string_view name, std::int64_t value) {
  held_->json[name] = value;
  return *this;
}

JsonObject& JsonObject::count(std::string_view name, std::uint64_t value) {
  held_->json[name] = value;
  return *this;
}

JsonObject& JsonObject::flag(std::string_view name, bool value) {
  held_->json[name] = value;
  return *this;
}

JsonObject& JsonObject::text(std::string_view name, std::string_view value) {
  held_->json[name] = value;
  return *this;
}

JsonObject& JsonObject::texts(std::string_view name, const std::vector<std::string>& values) {
  held_->json[name] = values;
  return *this;
}

JsonObject& JsonObject::object(std::string_view name, JsonObject value) {
  held_->json[name] = std::move(value.held_->json);
  return *this;
}

JsonObject& JsonObject::null(std::string_view name) {
  held_->json[name] = nullptr;
  return *this;
}

JsonObject& JsonObject::schedule(std::int64_t now, const Schedule* schedule,
                                 const std::vector<Diagnostic>& warnings) {
  Json& json = held_->json;
  json["now"] = now;
  json["wipe_timestamp"] = schedule != nullptr ? Json(schedule->wipe_timestamp) : Json(nullptr);
  json["riding"] = entries_json(schedule != nullptr ? &schedule->riding : nullptr, now);
  json["taming"] = entries_json(schedule != nullptr ? &schedule->taming : nullptr, now);
  json["player_notices"] = schedule != nullptr ? notices_json(schedule->notices) : Json(nullptr);
  json["warnings"] = diagnostics_json(warnings);
  return *this;
}

JsonObject& JsonObject::refusal(const Refusal* refusal) {
  Json& json = held_->json;
  json["error"] = refusal != nullptr ? Json(refusal->text) : Json(nullptr);
  json["place"] = refusal != nullptr ? Json(refusal->path) : Json(nullptr);
  const bool hinted = refusal != nullptr && !refusal->hints.empty();
  json["hint"] = hinted ? Json(hint_line(*refusal)) : Json(nullptr);
  return *this;
}

std::string JsonObject::dump(bool indented) const {
  return held_->json.dump(indented ? 2 : -1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quellwarden::config
