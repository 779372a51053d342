// Every member is checked even when notices would stay silent, so a typo in a text is told where
// the administrator sees it, not in front of a player. Notices only decide what players read: a
// mistake in them turns them off and never costs the file its lists.
#include "config/notice_settings.h"

#include <algorithm>
#include <array>
#include <span>

#include "config/creature_classes.h"
#include "config/date_reading.h"
#include "config/document.h"
#include "config/local_zone.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "text/ascii_fold.h"
#include "text/printable.h"
#include "text/quoted_text.h"
#include "text/utf8.h"

namespace quellwarden::config {
namespace {

// The placeholders a text may hold, with what fills each: one table for checking, for the
// error's list of the known ones, and for filling in.
struct Placeholder {
  std::string_view name;
  std::string (*fill)(const NoticeValues& values, const NoticeSettings& settings);
};

TimeUnitNames units_of(const NoticeSettings& settings) {
  const auto& units = settings.time_units;
  return {units[0], units[1], units[2], units[3]};
}

std::string unlock_text(std::int64_t unlock_time, const PlayerZone& zone) {
  switch (zone.kind) {
    case PlayerZone::Kind::utc:
      break;
    case PlayerZone::Kind::local:
      return local_text(unlock_time, local_offset_at(unlock_time), Precision::minutes);
    case PlayerZone::Kind::offset:
      return local_text(unlock_time, zone.offset_seconds, Precision::minutes);
  }
  return utc_text(unlock_time, Precision::minutes);
}

constexpr std::array<Placeholder, 5> kPlaceholders{{
    {"creature",
     [](const NoticeValues& values, const NoticeSettings&) {
       return std::string(display_name_of(values.display_name, values.class_name));
     }},
    {"class", [](const NoticeValues& values,
                 const NoticeSettings&) { return std::string(values.class_name); }},
    {"left",
     [](const NoticeValues& values, const NoticeSettings& settings) {
       return left_text(seconds_between(values.now, values.unlock_time), units_of(settings));
     }},
    {"unlock",
     [](const NoticeValues& values, const NoticeSettings& settings) {
       return unlock_text(values.unlock_time, settings.zone);
     }},
    {"count", [](const NoticeValues& values,
                 const NoticeSettings&) { return std::to_string(values.count); }},
}};

// What each kind of text may hold: a class's texts, "UnlocksMore", "UnlocksNone".
using Allowed = std::span<const std::string_view>;
constexpr std::array<std::string_view, 4> kClassPlaceholders{"creature", "class", "left", "unlock"};
constexpr std::array<std::string_view, 1> kCountPlaceholder{"count"};

const Placeholder* placeholder_named(std::string_view name) {
  const auto found = std::ranges::find(kPlaceholders, name, &Placeholder::name);
  return found == kPlaceholders.end() ? nullptr : &*found;
}

// "{creature}, {class}, {left} and {unlock}"
std::string known_placeholders(Allowed allowed) {
  std::vector<std::string> names;
  for (const std::string_view name : allowed) names.push_back("{" + std::string(name) + "}");
  return names.empty() ? std::string("none") : spoken_list(names);
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

// The first placeholder of `text` not in `allowed`, without its braces; empty when there is none.
std::string first_unknown(std::string_view text, Allowed allowed) {
  std::string unknown;
  for_each_placeholder(text, [&](std::string_view name, std::size_t, std::size_t) {
    if (unknown.empty() && std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
      unknown = name;
    }
  });
  return unknown;
}

// `text` cut so that it and the mark fit `most` bytes, before a character that would be split.
std::string bounded(std::string text, std::size_t most) {
  if (text.size() <= most) return text;
  text.resize(utf8_prefix(text, most - (sizeof(kCutMark) - 1)).size());
  return text.append(kCutMark);
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
    NoticeSettings settings;
    settings.cooldown_seconds = read_cooldown();
    read_text(kTamingNotice, settings.taming);
    read_text(kImprintingNotice, settings.imprinting);
    read_text(kRidingNotice, settings.riding);
    read_chat_command(settings.chat_command);
    read_zone(settings.zone);
    read_text(kUnlocksTaming, settings.unlocks_taming);
    read_text(kUnlocksRiding, settings.unlocks_riding);
    read_text(kUnlocksNone, settings.unlocks_none, {});
    read_text(kUnlocksMore, settings.unlocks_more, kCountPlaceholder);
    read_units(settings.time_units);
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

  // Leaves `text` at its default when the member is absent.
  void read_text(std::string_view name, std::string& text, Allowed allowed = kClassPlaceholders) {
    const Value& value = member(name);
    if (!value.present()) return;
    if (value.type() != ValueType::string) {
      wrong(name, "is " + value_text(value), "write a text, or \"\" for no notice");
      return;
    }
    text = value.held().get<std::string>();
    if (const std::string unknown = first_unknown(text, allowed); !unknown.empty()) {
      wrong(name, "has the unknown placeholder {" + unknown + "}",
            "the known ones are " + known_placeholders(allowed));
    }
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

  void read_chat_command(std::string& command) {
    read_text(kChatCommand, command);
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
  }

  void read_zone(PlayerZone& zone) {
    const Value& value = member(kTimeZone);
    if (!value.present()) return;
    const std::string text =
        value.type() == ValueType::string ? value.held().get<std::string>() : std::string();
    if (compare_folded(text, kUtcZone) == 0) return;
    if (compare_folded(text, kLocalZone) == 0) {
      zone.kind = PlayerZone::Kind::local;
    } else if (const std::optional<int> offset = read_offset(text)) {
      zone = {PlayerZone::Kind::offset, *offset};
    } else {
      wrong(kTimeZone, "is " + value_text(value),
            "write \"UTC\", \"local\" (this server's zone) or an offset such as \"+01:00\"");
    }
  }

  void read_units(std::array<std::string, 4>& units) {
    const Value& value = member(kTimeUnits);
    if (!value.present()) return;
    const std::vector<Value>& texts = notices_.at(index_in(kNoticeMembers, kTimeUnits)).elements;
    const bool all_texts = std::all_of(texts.begin(), texts.end(), [](const Value& unit) {
      return unit.type() == ValueType::string;
    });
    if (value.type() != ValueType::array || !all_texts || texts.size() < 3 ||
        texts.size() > units.size()) {
      wrong(kTimeUnits, "is " + value_text(value),
            "write the units of days, hours, minutes and, if you like, seconds, such as "
            "[\"d\", \"h\", \"m\"]");
      return;
    }
    for (std::size_t index = 0; index < texts.size(); ++index) {
      units[index] = texts[index].held().get<std::string>();
    }
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
  if (display_name.type() != ValueType::string) return {};
  std::string name = display_name.held().get<std::string>();
  return characters_in(name) <= kMostDisplayNameCharacters ? name : std::string();
}

std::optional<Diagnostic> display_name_problem(const Value& display_name,
                                               std::string_view list_name,
                                               std::string_view class_name) {
  if (!display_name.present()) return std::nullopt;
  std::string what;
  if (display_name.type() != ValueType::string) {
    what = "is " + value_text(display_name);
  } else {
    const std::size_t length = characters_in(display_name.held().get_ref<const std::string&>());
    if (length <= kMostDisplayNameCharacters) return std::nullopt;
    what = "has " + std::to_string(length) + " characters";
  }
  return Diagnostic{DiagnosticCode::invalid_display_name,
                    {kDinoSettings, std::string(list_name), std::string(class_name), kDisplayName},
                    in_quotes(kDisplayName) + " of class " + in_quotes(class_name) + " in " +
                        in_quotes(list_name) + " " + what +
                        ", so players are told the class's common name or class name; write the "
                        "name players know, as text of at most " +
                        std::to_string(kMostDisplayNameCharacters) + " characters"};
}

std::string_view display_name_of(std::string_view display_name, std::string_view class_name) {
  if (!display_name.empty()) return display_name;
  const std::optional<GameClass> game_class = game_class_named(class_name);
  return game_class ? game_class->common_name : class_name;
}

std::size_t longest_fill(std::string_view text, const LongestValues& longest) {
  const std::array<std::pair<std::string_view, std::size_t>, kPlaceholders.size()> lengths{{
      {"creature", longest.creature},
      {"class", longest.class_name},
      {"left", longest.left},
      {"unlock", longest.unlock},
      {"count", longest.count},
  }};
  std::size_t length = text.size();
  for_each_placeholder(text, [&](std::string_view name, std::size_t start, std::size_t end) {
    for (const auto& [known, value] : lengths) {
      if (known == name) length = length - (end - start) + value;
    }
  });
  return length;
}

std::string unknown_placeholder(std::string_view text) {
  return first_unknown(text, kClassPlaceholders);
}

std::string known_placeholders() { return known_placeholders(kClassPlaceholders); }

std::string notice_text(std::string_view text, const NoticeValues& values,
                        const NoticeSettings& settings) {
  std::string out;
  std::size_t copied = 0;
  for_each_placeholder(text, [&](std::string_view name, std::size_t start, std::size_t end) {
    const Placeholder* placeholder = placeholder_named(name);
    if (placeholder == nullptr) return;
    out.append(text.substr(copied, start - copied)).append(placeholder->fill(values, settings));
    copied = end;
  });
  out.append(text.substr(copied));
  return bounded(printable(out), kMostPlayerTextBytes);
}

}  // namespace quellwarden::config
