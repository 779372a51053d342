// Every member is checked even when notices would stay silent, so a typo in a text fails the load
// where the administrator sees it, not in front of a player.
#include "config/notice_settings.h"

#include <array>

#include "config/member_names.h"
#include "config/quoted_text.h"
#include "config/time_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

// The placeholders a notice may hold, with what fills each: one table for checking, for the
// error's list of the known ones, and for filling in.
struct Placeholder {
  std::string_view name;
  std::string (*fill)(const NoticeValues& values);
};

constexpr std::array<Placeholder, 4> kPlaceholders{{
    {"creature", [](const NoticeValues& values) { return std::string(values.creature); }},
    {"class", [](const NoticeValues& values) { return std::string(values.class_name); }},
    {"left",
     [](const NoticeValues& values) {
       return left_text(seconds_between(values.now, values.unlock_time));
     }},
    {"unlock",
     [](const NoticeValues& values) { return utc_text(values.unlock_time, Precision::minutes); }},
}};

const Placeholder* placeholder_named(std::string_view name) {
  for (const Placeholder& placeholder : kPlaceholders) {
    if (placeholder.name == name) return &placeholder;
  }
  return nullptr;
}

// "{creature}, {class}, {left} and {unlock}"
std::string known_placeholders() {
  std::string text;
  for (std::size_t index = 0; index < kPlaceholders.size(); ++index) {
    text += (index == 0 ? "" : index + 1 == kPlaceholders.size() ? " and " : ", ");
    text += "{" + std::string(kPlaceholders[index].name) + "}";
  }
  return text;
}

// Calls `visit(name, start, end)` for each "{name}" made of letters; any other brace is plain.
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

template <typename T>
using Read = std::variant<T, Refusal>;

std::string notices_member(std::string_view name) {
  return in_quotes(name) + " in " + in_quotes(kPlayerNotices);
}

Refusal refused(std::string_view name, const Value& value, std::string_view wanted) {
  return {notices_member(name) + " is " + value_text(value) + "; " + std::string(wanted),
          {kPlayerNotices, std::string(name)},
          {}};
}

const Value& member(const Notices& notices, std::string_view name) {
  const auto known = known_members(Level::notices);
  for (std::size_t index = 0; index < known.size(); ++index) {
    if (known[index] == name) return notices.members[index];
  }
  static const Value absent;
  return absent;
}

Read<std::string> read_text(const Notices& notices, std::string_view name,
                            std::string_view fallback) {
  const Value& value = member(notices, name);
  if (!value.present()) return std::string(fallback);
  if (value.type() != ValueType::string) {
    return refused(name, value, "write a text, or \"\" for no notice");
  }
  const std::string& text = value.held().get_ref<const std::string&>();
  std::optional<Refusal> unknown;
  for_each_placeholder(text, [&](std::string_view placeholder, std::size_t, std::size_t) {
    if (unknown || placeholder_named(placeholder) != nullptr) return;
    unknown =
        Refusal{notices_member(name) + " has the unknown placeholder {" + std::string(placeholder) +
                    "}; the known ones are " + known_placeholders(),
                {kPlayerNotices, std::string(name)},
                {}};
  });
  if (unknown) return std::move(*unknown);
  return text;
}

Read<std::int64_t> read_cooldown(const Notices& notices) {
  const Value& value = member(notices, kCooldownSeconds);
  if (!value.present()) return kDefaultCooldownSeconds;
  const nlohmann::json& number = value.held();
  const bool whole = value.type() == ValueType::number_unsigned ||
                     (value.type() == ValueType::number_integer && number.get<std::int64_t>() >= 0);
  if (!whole || number.get<std::uint64_t>() > static_cast<std::uint64_t>(kMaxNumber)) {
    return refused(kCooldownSeconds, value, "write a whole number of seconds, 0 or more");
  }
  return number.get<std::int64_t>();
}

Read<std::string> read_chat_command(const Notices& notices) {
  Read<std::string> command = read_text(notices, kChatCommand, kDefaultChatCommand);
  if (const auto* text = std::get_if<std::string>(&command)) {
    for (const char unit : *text) {
      if (static_cast<unsigned char>(unit) <= ' ') {
        return refused(kChatCommand, member(notices, kChatCommand),
                       "write one word without blanks, such as \"/unlocks\", or \"\" for none");
      }
    }
  }
  return command;
}

}  // namespace

std::variant<std::optional<NoticeSettings>, Refusal> read_notice_settings(const Notices& notices) {
  if (!notices.shape.present()) return std::optional<NoticeSettings>();
  if (notices.shape.type() != ValueType::object) {
    return Refusal{in_quotes(kPlayerNotices) + " is " + value_text(notices.shape) +
                       "; write an object such as {}, or leave it out for no notices",
                   {kPlayerNotices},
                   {}};
  }
  Read<std::int64_t> cooldown = read_cooldown(notices);
  if (auto* refusal = std::get_if<Refusal>(&cooldown)) return std::move(*refusal);
  std::array<Read<std::string>, 4> texts{
      read_text(notices, kTamingNotice, kDefaultTamingNotice),
      read_text(notices, kImprintingNotice, kDefaultImprintingNotice),
      read_text(notices, kRidingNotice, kDefaultRidingNotice), read_chat_command(notices)};
  for (Read<std::string>& text : texts) {
    if (auto* refusal = std::get_if<Refusal>(&text)) return std::move(*refusal);
  }
  const auto take = [&](std::size_t index) {
    return std::move(std::get<std::string>(texts[index]));
  };
  return std::optional<NoticeSettings>(
      NoticeSettings{std::get<std::int64_t>(cooldown), take(0), take(1), take(2), take(3)});
}

std::variant<std::string, Refusal> read_display_name(const Value& display_name,
                                                     std::string_view list_name,
                                                     std::string_view class_name) {
  if (!display_name.present()) return std::string();
  if (display_name.type() != ValueType::string) {
    return Refusal{in_quotes(kDisplayName) + " of class " + in_quotes(class_name) + " in " +
                       in_quotes(list_name) + " is " + value_text(display_name) +
                       "; write the name players know, as text",
                   {kDinoSettings, std::string(list_name), std::string(class_name), kDisplayName},
                   {}};
  }
  return display_name.held().get<std::string>();
}

std::string notice_text(std::string_view text, const NoticeValues& values) {
  std::string out;
  std::size_t copied = 0;
  for_each_placeholder(text, [&](std::string_view name, std::size_t start, std::size_t end) {
    const Placeholder* placeholder = placeholder_named(name);
    if (placeholder == nullptr) return;
    out.append(text.substr(copied, start - copied)).append(placeholder->fill(values));
    copied = end;
  });
  return out.append(text.substr(copied));
}

}  // namespace quellwarden::config
