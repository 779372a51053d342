// A strict reader: a date the plugin might read differently from what the admin meant (no zone,
// a day the month lacks) is refused with the reason rather than guessed at. Spellings that name
// one instant all the same (no seconds, a fraction of one, lower case, "+0200") are read.
#include "config/date_reading.h"

#include <algorithm>
#include <utility>

#include "config/vocabulary.h"
#include "text/ascii_fold.h"

namespace quellwarden::config {
namespace {

// Reads fixed-width fields left to right; any mismatch leaves it failed.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool at_end() const { return at_ == text_.size(); }

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

bool is_leap(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int days_in_month(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01, after Howard Hinnant's days_from_civil; the inverse of utc_text()'s.
std::int64_t days_from_civil(int year, int month, int day) {
  const int shifted_year = month <= 2 ? year - 1 : year;
  const int era = (shifted_year >= 0 ? shifted_year : shifted_year - 399) / 400;
  const int year_of_era = shifted_year - era * 400;
  const int day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return static_cast<std::int64_t>(era) * 146097 + day_of_era - 719468;
}

bool is_unix_seconds(std::string_view text) {
  if (text.starts_with('-')) text.remove_prefix(1);
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](char byte) { return byte >= '0' && byte <= '9'; });
}

DateReading refused(std::string problem) {
  return {std::nullopt, std::move(problem), std::nullopt};
}

struct Zone {
  int offset = 0;        // seconds east of UTC
  bool numeric = false;  // written as an offset, not as "Z" or "UTC"
};

// The zone after the time of day.
std::optional<Zone> zone(Cursor& cursor) {
  if (cursor.folded_literal("Z") || cursor.folded_literal(" UTC")) return Zone{};
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
};

}  // namespace

DateReading read_date(std::string_view text) {
  if (is_unix_seconds(text)) return refused("is a number in quotes");
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
  if (cursor.at_end()) return refused("has no zone, so it could be any of the world's local times");
  const std::optional<Zone> zone_given = zone(cursor);
  if (!zone_given || !cursor.at_end()) return refused("is not a date the plugin reads");
  if (at.month < 1 || at.month > 12 || at.day < 1 || at.day > days_in_month(at.year, at.month)) {
    return refused("names a day that its month does not have");
  }
  if (at.hour > 23 || at.minute > 59 || at.second > 59) {
    return refused("has a time of day out of range");
  }
  const std::int64_t seconds = days_from_civil(at.year, at.month, at.day) * kSecondsPerDay +
                               at.hour * kSecondsPerHour + at.minute * 60 + at.second -
                               zone_given->offset;
  return {seconds, {}, zone_given->numeric ? std::optional<int>(zone_given->offset) : std::nullopt};
}

}  // namespace quellwarden::config
