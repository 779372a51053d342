// What players are told about refusals and how they ask: the "PlayerNotices" member, read and
// checked as strictly as the rest of the file, and the texts it sets, filled in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "config/document.h"
#include "config/refusal.h"

namespace quellwarden::config {

struct NoticeSettings {
  std::int64_t cooldown_seconds = 0;
  std::string taming;  // an empty text sends no notice
  std::string imprinting;
  std::string riding;
  std::string chat_command;  // empty: no chat command
};

// The settings when the file has "PlayerNotices", its members defaulted; nothing otherwise. A
// member of the wrong type, a negative cooldown, a text with an unknown placeholder or a chat
// command with a blank is refused, naming the member.
std::variant<std::optional<NoticeSettings>, Refusal> read_notice_settings(const Notices& notices);

// The "DisplayName" of a class entry, empty when it has none; one that is not text is refused,
// naming the class and its list.
std::variant<std::string, Refusal> read_display_name(const Value& display_name,
                                                     std::string_view list_name,
                                                     std::string_view class_name);

// What fills a notice's placeholders.
struct NoticeValues {
  std::string_view creature;  // the display name, else the class name
  std::string_view class_name;
  std::int64_t unlock_time = 0;
  std::int64_t now = 0;
};

// `text` with {creature}, {class}, {left} and {unlock} filled in; other text stays as it is.
std::string notice_text(std::string_view text, const NoticeValues& values);

}  // namespace quellwarden::config
