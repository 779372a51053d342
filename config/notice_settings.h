// What players are told about refusals and how they ask: the "PlayerNotices" member, read and
// checked member by member, and the texts it sets, filled in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/diagnostics.h"
#include "config/vocabulary.h"

namespace quellwarden::config {

class Value;
struct Document;

// The zone in which players read {unlock}.
struct PlayerZone {
  enum class Kind { utc, local, offset } kind = Kind::utc;
  int offset_seconds = 0;  // east of UTC, for Kind::offset
};

// Every text is the admin's; an empty text sends nothing.
struct NoticeSettings {
  std::int64_t cooldown_seconds = kDefaultCooldownSeconds;  // also between two chat answers
  std::string taming = kDefaultTamingNotice;
  std::string imprinting = kDefaultImprintingNotice;
  std::string riding = kDefaultRidingNotice;
  std::string chat_command = kDefaultChatCommand;  // empty: no chat command
  PlayerZone zone;
  // The chat command's lines: one per class held back, what it says when none is, and the line
  // after the first kMostUnlockLines.
  std::string unlocks_taming = kDefaultUnlocksTaming;
  std::string unlocks_riding = kDefaultUnlocksRiding;
  std::string unlocks_none = kDefaultUnlocksNone;
  std::string unlocks_more = kDefaultUnlocksMore;
  std::array<std::string, 4> time_units{kDefaultTimeUnits[0], kDefaultTimeUnits[1],
                                        kDefaultTimeUnits[2], kDefaultTimeUnits[3]};
};

struct NoticeReading {
  // Present when the file has "PlayerNotices" and none of its members is wrong, members left out
  // defaulted.
  std::optional<NoticeSettings> settings;
  // Each member that is wrong, as `invalid_notices` (a member of the wrong type, a negative
  // cooldown, a text with an unknown placeholder, a chat command with a blank, a zone or units
  // the plugin does not know), and a chat command
  // that players would not recognise as one (`chat_command_without_prefix`).
  std::vector<Diagnostic> problems;
};

// Never refuses the file: notices only decide what players read.
NoticeReading read_notice_settings(const Document& document);

// The "DisplayName" of a class entry; empty when it has none, it is not text or it is too long.
std::string read_display_name(const Value& display_name);

// A "DisplayName" that is not text, or longer than kMostDisplayNameCharacters, as
// `invalid_display_name`; players are told the name they know the class by.
std::optional<Diagnostic> display_name_problem(const Value& display_name,
                                               std::string_view list_name,
                                               std::string_view class_name);

// What players are told a class is: its display name, else the name players know the game's
// class by (config/creature-classes.tsv), else its class name.
std::string_view display_name_of(std::string_view display_name, std::string_view class_name);

// What fills a text's placeholders.
struct NoticeValues {
  std::string_view display_name;  // empty when the class has none
  std::string_view class_name;
  std::int64_t unlock_time = 0;
  std::int64_t now = 0;
  std::size_t count = 0;  // {count}: the classes the chat command's answer leaves out
};

// What a player receives: `text` with {creature}, {class}, {left}, {unlock} and {count} filled in
// as `settings` words them, other text as it is, escaped as printable() does, and cut to
// kMostPlayerTextBytes ending in "...". The one filling of every text players read.
std::string notice_text(std::string_view text, const NoticeValues& values,
                        const NoticeSettings& settings);

// The longest value each placeholder takes in one file, in bytes.
struct LongestValues {
  std::size_t creature = 0;
  std::size_t class_name = 0;
  std::size_t left = 0;
  std::size_t unlock = 0;
  std::size_t count = 0;
};

// The most bytes `text` can take once filled with values no longer than `longest`, before it is
// cut to kMostPlayerTextBytes.
std::size_t longest_fill(std::string_view text, const LongestValues& longest);

// The first placeholder of `text` that a class's text cannot hold, without its braces; empty when
// there is none.
std::string unknown_placeholder(std::string_view text);

// "{creature}, {class}, {left} and {unlock}": what a class's text may hold.
std::string known_placeholders();

}  // namespace quellwarden::config
