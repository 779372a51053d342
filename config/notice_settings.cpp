// Every member is checked even when notices would stay silent, so a typo in a text is told where
// the administrator sees it, not in front of a player. Notices only decide what players read: a
// mistake in them turns them off and never costs the file its lists.
#include "config/notice_settings.h"

#include <algorithm>
#include <array>

#include "config/document.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

// The placeholders a notice may hold, with what fills each: one table for checking, for the
// error's list of the known ones, and for filling in.
struct Placeholder {
  std::string_view name;
  std::string (*fill)(const NoticeValues& values);
};

constexpr std::array<Placeholder, 4> kPlaceholders{{
    {"creature",
     [](const NoticeValues& values) {
       return std::string(display_name_of(values.display_name, values.class_name));
     }},
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

constexpr char kNoticesOff[] = ", so player notices and the chat command are off; ";

std::string notices_member(std::string_view name) {
  return in_quotes(name) + " in " + in_quotes(kPlayerNotices);
}

// Reads the members one by one, noting each that is wrong; the settings hold only when none is (a
// chat command without its prefix is only warned about: it still works as written).
class NoticeReader {
 public:
  explicit NoticeReader(const NoticeMembers& notices) : notices_(notices) {}

  NoticeReading read() && {
    NoticeSettings settings{read_cooldown(), read_text(kTamingNotice, kDefaultTamingNotice),
                            read_text(kImprintingNotice, kDefaultImprintingNotice),
                            read_text(kRidingNotice, kDefaultRidingNotice), read_chat_command()};
    if (!invalid_) return {std::move(settings), std::move(problems_)};
    return {std::nullopt, std::move(problems_)};
  }

 private:
  const Value& member(std::string_view name) const {
    return notices_.at(index_in(kNoticeMembers, name));
  }

  // `what` says what the member is: "is 5", "has the unknown placeholder {x}".
  void wrong(std::string_view name, const std::string& what, std::string_view fix) {
    invalid_ = true;
    problems_.push_back({DiagnosticCode::invalid_notices,
                         {kPlayerNotices, std::string(name)},
                         notices_member(name) + " " + what + kNoticesOff + std::string(fix)});
  }

  std::string read_text(std::string_view name, std::string_view fallback) {
    const Value& value = member(name);
    if (!value.present()) return std::string(fallback);
    if (value.type() != ValueType::string) {
      wrong(name, "is " + value_text(value), "write a text, or \"\" for no notice");
      return {};
    }
    const std::string& text = value.held().get_ref<const std::string&>();
    if (const std::string unknown = unknown_placeholder(text); !unknown.empty()) {
      wrong(name, "has the unknown placeholder {" + unknown + "}",
            "the known ones are " + known_placeholders());
    }
    return text;
  }

  std::int64_t read_cooldown() {
    const Value& value = member(kCooldownSeconds);
    if (!value.present()) return kDefaultCooldownSeconds;
    const nlohmann::json& number = value.held();
    const bool whole =
        value.type() == ValueType::number_unsigned ||
        (value.type() == ValueType::number_integer && number.get<std::int64_t>() >= 0);
    if (!whole || number.get<std::uint64_t>() > static_cast<std::uint64_t>(kMaxNumber)) {
      wrong(kCooldownSeconds, "is " + value_text(value),
            "write a whole number of seconds, 0 or more");
      return 0;
    }
    return number.get<std::int64_t>();
  }

  std::string read_chat_command() {
    std::string command = read_text(kChatCommand, kDefaultChatCommand);
    const bool blank = std::any_of(command.begin(), command.end(), [](char unit) {
      return static_cast<unsigned char>(unit) <= ' ';
    });
    if (blank) {
      wrong(kChatCommand, "is " + value_text(member(kChatCommand)),
            "write one word without blanks, such as \"/unlocks\", or \"\" for none");
    } else if (!command.empty() && command[0] != '/' && command[0] != '!') {
      problems_.push_back(
          {DiagnosticCode::chat_command_without_prefix,
           {kPlayerNotices, std::string(kChatCommand)},
           notices_member(kChatCommand) + " is " + value_text(member(kChatCommand)) +
               ", which does not start with \"/\" or \"!\", so the plugin answers ordinary chat "
               "that starts with that word; write " +
               in_quotes(std::string("/").append(shortened(command)))});
    }
    return command;
  }

  const NoticeMembers& notices_;
  std::vector<Diagnostic> problems_;
  bool invalid_ = false;
};

}  // namespace

NoticeReading read_notice_settings(const Document& document) {
  const Value& shape = document.members[kPlayerNotices];
  if (!shape.present()) return {};
  if (shape.type() != ValueType::object) {
    return {std::nullopt,
            {{DiagnosticCode::invalid_notices,
              {kPlayerNotices},
              in_quotes(kPlayerNotices) + " is " + value_text(shape) + kNoticesOff +
                  "write an object such as {}, or leave it out for no notices"}}};
  }
  return NoticeReader(document.notices).read();
}

std::string read_display_name(const Value& display_name) {
  return display_name.type() == ValueType::string ? display_name.held().get<std::string>()
                                                  : std::string();
}

std::optional<Diagnostic> display_name_problem(const Value& display_name,
                                               std::string_view list_name,
                                               std::string_view class_name) {
  if (!display_name.present() || display_name.type() == ValueType::string) return std::nullopt;
  return Diagnostic{DiagnosticCode::invalid_display_name,
                    {kDinoSettings, std::string(list_name), std::string(class_name), kDisplayName},
                    in_quotes(kDisplayName) + " of class " + in_quotes(class_name) + " in " +
                        in_quotes(list_name) + " is " + value_text(display_name) +
                        ", so players are told the class name; write the name players know, as "
                        "text"};
}

std::string unknown_placeholder(std::string_view text) {
  std::string unknown;
  for_each_placeholder(text, [&](std::string_view name, std::size_t, std::size_t) {
    if (unknown.empty() && placeholder_named(name) == nullptr) unknown = name;
  });
  return unknown;
}

std::string known_placeholders() {
  std::vector<std::string> names;
  for (const Placeholder& placeholder : kPlaceholders) {
    names.push_back("{" + std::string(placeholder.name) + "}");
  }
  return spoken_list(names);
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
