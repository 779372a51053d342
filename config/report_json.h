// The JSON objects bots read, built in one place: what the status and the checker both say of a
// configuration has one shape, entries and warnings included, so the two cannot drift apart.
// The JSON library stays behind this header.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"
#include "config/refusal.h"

namespace quellwarden::config {

// One JSON object, its members in the order they are set; an absent value is written as null. A
// member every answer has is null when it has no value; one that tells of an event is set only
// when it happened.
class JsonObject {
 public:
  JsonObject();
  ~JsonObject();
  JsonObject(JsonObject&& other) noexcept;
  JsonObject& operator=(JsonObject&& other) noexcept;

  JsonObject& number(std::string_view name, std::optional<std::int64_t> value);
  JsonObject& flag(std::string_view name, bool value);
  JsonObject& text(std::string_view name, std::string_view value);
  JsonObject& texts(std::string_view name, const std::vector<std::string>& values);
  JsonObject& object(std::string_view name, std::optional<JsonObject> value);
  JsonObject& objects(std::string_view name, std::vector<JsonObject> values);

  // What the status and the checker both say of a configuration, judged at `now`: "now",
  // "wipe_timestamp" (null without a schedule), "riding" and "taming" (each entry {"class",
  // "hours", "unlock", "locked", "seconds_left", "in_game_list"} and "display_name" when it has
  // one; "in_game_list" is false for a class config/creature-classes.tsv does not list),
  // "player_notices" ({"cooldown_seconds", "taming", "imprinting", "riding", "chat_command"}, null
  // when notices are off), "announcements" ({"taming", "riding", "remind_before", "taming_soon",
  // "riding_soon"}, null when off) and "warnings" ({"code", "path", "text"} each).
  JsonObject& schedule(std::int64_t now, const Schedule* schedule,
                       const std::vector<Diagnostic>& warnings);

  // "warnings": {"code", "path", "text"} each.
  JsonObject& warnings(const std::vector<Diagnostic>& diagnostics);

  // Why a file was refused: "error", "place" (the member path as a list) and "hint" (the hints on
  // one line), each null when there is none.
  JsonObject& refusal(const Refusal* refusal);

  // On one line, or indented by two; text that is not UTF-8 is replaced, not refused.
  [[nodiscard]] std::string dump(bool indented = false) const;

 private:
  template <typename Value>
  JsonObject& set(std::string_view name, Value&& value);

  struct Held;
  std::unique_ptr<Held> held_;
};

}  // namespace quellwarden::config
