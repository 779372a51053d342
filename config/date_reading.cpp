// A strict reader: a date the plugin might read differently from what the admin meant (no zone,
// a day the month lacks) is refused with the reason rather than guessed at. Spellings that name
// one instant all the same (no seconds, a fraction of one, lower case, "+0200") are read.
#include "config/date_reading.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <utility>

#include "config/local_zone.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "text/ascii_fold.h"

namespace quellwarden::config {
namespace {

// Reads fixed-width fields left to right; any mismatch leaves it failed.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool at_end() const { return at_ == text_.size(); }
  std::string_view rest() const { return text_.substr(at_); }

  bool digits(std::size_t count, int& value) {
    if (text_.size() - at_ < count) return false;
    int read = 0;
    for (std::size_t index = 0; index < count; ++index) {
      const char digit = text_[at_ + index];
      if (digit < '0' || digit > '9') return false;
      read = read * 10 + (digit - '0');
    }
    at_ += count;
    value = read;
    return true;
  }

  bool literal(std::string_view expected) {
    if (text_.substr(at_, expected.size()) != expected) return false;
    at_ += expected.size();
    return true;
  }

  // `expected` in upper case, matched in either case.
  bool folded_literal(std::string_view expected) {
    if (compare_folded(text_.substr(at_, expected.size()), expected) != 0) return false;
    at_ += expected.size();
    return true;
  }

  // One digit or more; how many is not fixed.
  bool some_digits() {
    const std::size_t start = at_;
    while (!at_end() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ > start;
  }

  bool one_of(std::string_view choices, char& found) {
    if (at_end() || choices.find(text_[at_]) == std::string_view::npos) return false;
    found = text_[at_++];
    return true;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

// The calendar's one home (time_text.h) knows the leap years; `month` 1 to 12.
int days_in_month(int year, int month) {
  if (month == 12) return 31;
  return static_cast<int>(days_from_civil(year, month + 1, 1) - days_from_civil(year, month, 1));
}

bool is_digit(char byte) { return byte >= '0' && byte <= '9'; }

bool is_letter(char byte) { return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'); }

bool is_unix_seconds(std::string_view text) {
  if (text.starts_with('-')) text.remove_prefix(1);
  return !text.empty() && std::all_of(text.begin(), text.end(), is_digit);
}

DateReading refused(std::string problem, std::string suggestion = {}) {
  return {std::nullopt, std::move(problem), std::nullopt, std::move(suggestion)};
}

// The abbreviations admins write most, with the offset each stands for. "CST" is also China's,
// but beside the other North American names it is taken as theirs.
struct ZoneName {
  std::string_view name;
  int offset_minutes;
};
constexpr ZoneName kZoneNames[] = {{"GMT", 0},    {"WET", 0},    {"WEST", 60},  {"BST", 60},
                                   {"CET", 60},   {"CEST", 120}, {"EET", 120},  {"EEST", 180},
                                   {"EST", -300}, {"EDT", -240}, {"CST", -360}, {"CDT", -300},
                                   {"MST", -420}, {"MDT", -360}, {"PST", -480}, {"PDT", -420}};

std::optional<ZoneName> known_zone(std::string_view name) {
  for (const ZoneName& zone : kZoneNames) {
    if (compare_folded(name, zone.name) == 0) return zone;
  }
  return std::nullopt;
}

struct Zone {
  int offset = 0;        // seconds east of UTC
  bool numeric = false;  // written as an offset, not as "Z" or "UTC"
};

// The zone after the time of day (and the blank before it, if any).
std::optional<Zone> zone(Cursor& cursor) {
  if (cursor.folded_literal("Z") || cursor.folded_literal("UTC")) return Zone{};
  char sign = 0;
  int hours = 0;
  int minutes = 0;
  if (!cursor.one_of("+-", sign) || !cursor.digits(2, hours)) return std::nullopt;
  cursor.literal(":");
  if (!cursor.digits(2, minutes) || hours > 23 || minutes > 59) return std::nullopt;
  const int offset = hours * 3600 + minutes * 60;
  return Zone{sign == '-' ? -offset : offset, true};
}

struct Fields {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

  [[nodiscard]] bool in_calendar() const {
    return month >= 1 && month <= 12 && day >= 1 && day <= days_in_month(year, month) &&
           hour <= 23 && minute <= 59 && second <= 59;
  }
  // The date and time of day counted as if UTC.
  [[nodiscard]] std::int64_t clock_seconds() const {
    return days_from_civil(year, month, day) * kSecondsPerDay + hour * kSecondsPerHour +
           minute * 60 + second;
  }
  // "19:00", or "19:00:30" where the seconds are not zero.
  [[nodiscard]] std::string time_of_day() const {
    const std::string text = fmt::format("{:02}:{:02}", hour, minute);
    return second == 0 ? text : text + fmt::format(":{:02}", second);
  }
};

// A time without zone is most likely meant on the clocks of the machine reading it, at that
// date's offset (summer time or not): "\"2026-12-11T19:00:00+01:00\" if 19:00 is this machine's
// time".
std::string on_this_machine(const Fields& at) {
  const std::int64_t clock = at.clock_seconds();
  return "\"" + written_date(clock, local_offset_of_clock_time(clock)) + "\" if " +
         at.time_of_day() + " is this machine's time";
}

std::string zone_name_suggestion(const Fields& at, std::string_view name) {
  std::string text = "zone names are not read; ";
  if (!at.in_calendar()) return text + "write the zone's offset instead";
  const std::optional<ZoneName> zone = known_zone(name);
  if (!zone) {
    return text + "write the zone's offset at that date instead, such as " + on_this_machine(at);
  }
  const int offset = zone->offset_minutes * 60;
  return text + std::string(zone->name) + " is " + offset_text(offset) + ": write \"" +
         written_date(at.clock_seconds(), offset) + "\"";
}

}  // namespace

std::optional<std::string> milliseconds_note(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos || !is_unix_seconds(digits) || digits.starts_with('-') ||
      digits.size() - first < kMillisecondsDigits) {
    return std::nullopt;
  }
  const std::string_view number = digits.substr(first);
  return std::string(number) + " looks like milliseconds; write " +
         std::string(number.substr(0, number.size() - 3));
}

std::optional<std::int64_t> whole_number(std::string_view text) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<int> read_offset(std::string_view text) {
  Cursor cursor(text);
  const std::optional<Zone> found = zone(cursor);
  if (!found || !found->numeric || !cursor.at_end()) return std::nullopt;
  return found->offset;
}

DateReading read_date(std::string_view text) {
  if (is_unix_seconds(text)) {
    return refused("is a number in quotes", milliseconds_note(text).value_or(""));
  }
  Cursor cursor(text);
  Fields at;
  char separator = 0;
  if (!cursor.digits(4, at.year) || !cursor.literal("-") || !cursor.digits(2, at.month) ||
      !cursor.literal("-") || !cursor.digits(2, at.day)) {
    return refused("is not a date the plugin reads");
  }
  if (cursor.at_end()) return refused("has no time of day and no zone");
  if (!cursor.one_of("Tt ", separator) || !cursor.digits(2, at.hour) || !cursor.literal(":") ||
      !cursor.digits(2, at.minute)) {
    return refused("is not a date the plugin reads");
  }
  // Seconds may be left out; a fraction of one is dropped, as the plugin counts whole seconds.
  if (cursor.literal(":") &&
      (!cursor.digits(2, at.second) || (cursor.literal(".") && !cursor.some_digits()))) {
    return refused("is not a date the plugin reads");
  }
  if (cursor.at_end()) {
    return refused("has no zone, so it could be any of the world's local times",
                   at.in_calendar() ? "write " + on_this_machine(at) : "");
  }
  cursor.literal(" ");  // unambiguous, so read: "2026-12-11 19:00 +01:00"
  const std::string_view rest = cursor.rest();
  if (!rest.empty() && is_letter(rest.front()) && compare_folded(rest, "Z") != 0 &&
      compare_folded(rest, "UTC") != 0) {
    return refused("ends in a zone name", zone_name_suggestion(at, rest));
  }
  const std::optional<Zone> zone_given = zone(cursor);
  if (!zone_given || !cursor.at_end()) return refused("is not a date the plugin reads");
  if (at.month < 1 || at.month > 12 || at.day < 1 || at.day > days_in_month(at.year, at.month)) {
    return refused("names a day that its month does not have");
  }
  if (at.hour > 23 || at.minute > 59 || at.second > 59) {
    return refused("has a time of day out of range");
  }
  return {at.clock_seconds() - zone_given->offset,
          {},
          zone_given->numeric ? std::optional<int>(zone_given->offset) : std::nullopt,
          {}};
}

}  // namespace quellwarden::config
