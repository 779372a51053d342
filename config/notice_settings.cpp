// Every member is checked even when notices would stay silent, so a typo in a text fails the load
// where the administrator sees it, not in front of a player.
#include "config/notice_settings.h"

#include <array>

#include "config/config_reader.h"
#include "config/quoted_text.h"
#include "config/time_text.h"
#include "config/value_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

constexpr std::array<std::string_view, 4> kPlaceholders{"creature", "class", "left", "unlock"};

std::string notices_member(std::string_view name) {
  return in_quotes(name) + " in " + in_quotes(kPlayerNotices);
}

[[noreturn]] void refuse(std::string_view name, const json& value, std::string_view wanted) {
  throw ConfigError(notices_member(name) + " is " + value_text(value) + "; " + std::string(wanted));
}

// Calls `visit(name)` for each "{name}" made of letters; any other brace is plain text.
template <typename Visit>
void for_each_placeholder(std::string_view text, Visit&& visit) {
  for (std::size_t open = text.find('{'); open != std::string_view::npos;
       open = text.find('{', open + 1)) {
    const std::size_t close = text.find('}', open);
    if (close == std::string_view::npos) return;
    const std::string_view name = text.substr(open + 1, close - open - 1);
    const bool letters =
        !name.empty() && name.find_first_not_of(
                             "abcdefghijklmnopqrstuvwxyz"
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string_view::npos;
    if (letters) visit(name, open, close + 1);
  }
}

std::string read_text(const json& notices, std::string_view name, std::string_view fallback) {
  const auto found = notices.find(name);
  if (found == notices.end()) return std::string(fallback);
  if (!found->is_string()) refuse(name, *found, "write a text, or \"\" for no notice");
  const std::string text = found->get<std::string>();
  for_each_placeholder(text, [&](std::string_view placeholder, std::size_t, std::size_t) {
    for (const std::string_view known : kPlaceholders) {
      if (placeholder == known) return;
    }
    throw ConfigError(notices_member(name) + " has the unknown placeholder {" +
                      std::string(placeholder) +
                      "}; the known ones are {creature}, {class}, {left} and {unlock}");
  });
  return text;
}

std::int64_t read_cooldown(const json& notices) {
  const auto found = notices.find(kCooldownSeconds);
  if (found == notices.end()) return kDefaultCooldownSeconds;
  const bool whole = found->is_number_unsigned() ||
                     (found->is_number_integer() && found->get<std::int64_t>() >= 0);
  if (!whole || found->get<std::uint64_t>() > static_cast<std::uint64_t>(kMaxNumber)) {
    refuse(kCooldownSeconds, *found, "write a whole number of seconds, 0 or more");
  }
  return found->get<std::int64_t>();
}

std::string read_chat_command(const json& notices) {
  std::string command = read_text(notices, kChatCommand, kDefaultChatCommand);
  for (const char unit : command) {
    if (static_cast<unsigned char>(unit) <= ' ') {
      refuse(kChatCommand, notices.at(kChatCommand),
             "write one word without blanks, such as \"/unlocks\", or \"\" for none");
    }
  }
  return command;
}

// "2023-11-16 22:13 UTC": the status's time without its seconds.
std::string unlock_minute(std::int64_t unlock_time) {
  std::string text = utc_text(unlock_time);
  return text.erase(text.rfind(':'), 3);
}

}  // namespace

std::optional<NoticeSettings> read_notice_settings(const json& document) {
  if (!document.is_object()) return std::nullopt;
  const auto notices = document.find(kPlayerNotices);
  if (notices == document.end()) return std::nullopt;
  if (!notices->is_object()) {
    throw ConfigError(in_quotes(kPlayerNotices) + " is " + value_text(*notices) +
                      "; write an object such as {}, or leave it out for no notices");
  }
  return NoticeSettings{
      read_cooldown(*notices), read_text(*notices, kTamingNotice, kDefaultTamingNotice),
      read_text(*notices, kImprintingNotice, kDefaultImprintingNotice),
      read_text(*notices, kRidingNotice, kDefaultRidingNotice), read_chat_command(*notices)};
}

std::string read_display_name(const json& entry, std::string_view list_name,
                              std::string_view class_name) {
  if (!entry.is_object()) return {};
  const auto found = entry.find(kDisplayName);
  if (found == entry.end()) return {};
  if (!found->is_string()) {
    throw ConfigError(in_quotes(kDisplayName) + " of class " + in_quotes(class_name) + " in " +
                      in_quotes(list_name) + " is " + value_text(*found) +
                      "; write the name players know, as text");
  }
  return found->get<std::string>();
}

std::string notice_text(std::string_view text, const NoticeValues& values) {
  std::string out;
  std::size_t copied = 0;
  for_each_placeholder(text, [&](std::string_view name, std::size_t start, std::size_t end) {
    std::string value;
    if (name == "creature") {
      value = values.creature;
    } else if (name == "class") {
      value = values.class_name;
    } else if (name == "left") {
      value = left_text(seconds_between(values.now, values.unlock_time));
    } else if (name == "unlock") {
      value = unlock_minute(values.unlock_time);
    } else {
      return;
    }
    out.append(text.substr(copied, start - copied)).append(value);
    copied = end;
  });
  return out.append(text.substr(copied));
}

}  // namespace quellwarden::config
