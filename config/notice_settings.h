// What players are told about refusals and how they ask: the "PlayerNotices" member, read and
// checked member by member, and the texts it sets, filled in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/diagnostics.h"

namespace quellwarden::config {

class Value;
struct Document;

struct NoticeSettings {
  std::int64_t cooldown_seconds = 0;
  std::string taming;  // an empty text sends no notice
  std::string imprinting;
  std::string riding;
  std::string chat_command;  // empty: no chat command
};

struct NoticeReading {
  // Present when the file has "PlayerNotices" and none of its members is wrong, members left out
  // defaulted.
  std::optional<NoticeSettings> settings;
  // Each member that is wrong, as `invalid_notices` (a member of the wrong type, a negative
  // cooldown, a text with an unknown placeholder, a chat command with a blank), and a chat command
  // that players would not recognise as one (`chat_command_without_prefix`).
  std::vector<Diagnostic> problems;
};

// Never refuses the file: notices only decide what players read.
NoticeReading read_notice_settings(const Document& document);

// The "DisplayName" of a class entry; empty when it has none or it is not text.
std::string read_display_name(const Value& display_name);

// A "DisplayName" that is not text, as `invalid_display_name`; players are told the class name.
std::optional<Diagnostic> display_name_problem(const Value& display_name,
                                               std::string_view list_name,
                                               std::string_view class_name);

// What players are told a class is: its display name, else its class name.
constexpr std::string_view display_name_of(std::string_view display_name,
                                           std::string_view class_name) {
  return display_name.empty() ? class_name : display_name;
}

// What fills a notice's placeholders.
struct NoticeValues {
  std::string_view display_name;  // empty when the class has none
  std::string_view class_name;
  std::int64_t unlock_time = 0;
  std::int64_t now = 0;
};

// The first placeholder of `text` that notice_text() cannot fill, without its braces; empty when
// there is none.
std::string unknown_placeholder(std::string_view text);

// "{creature}, {class}, {left} and {unlock}": what a text may hold.
std::string known_placeholders();

// `text` with {creature}, {class}, {left} and {unlock} filled in; other text stays as it is.
std::string notice_text(std::string_view text, const NoticeValues& values);

}  // namespace quellwarden::config
