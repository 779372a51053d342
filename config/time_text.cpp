// Calendar arithmetic on 64-bit seconds; the standard calendar types stop at year 32767.
#include "config/time_text.h"

#include <fmt/format.h>

#include <array>
#include <utility>

#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

struct CivilDate {
  std::int64_t year;
  unsigned month;
  unsigned day;
};

// Days since 1970-01-01 to year, month and day, after Howard Hinnant's civil_from_days.
CivilDate civil_from_days(std::int64_t days) {
  const std::int64_t shifted = days + 719468;
  const std::int64_t era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
  const auto day_of_era = static_cast<unsigned>(shifted - era * 146097);
  const unsigned year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const unsigned day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const unsigned month_from_march = (5 * day_of_year + 2) / 153;
  const unsigned day = day_of_year - (153 * month_from_march + 2) / 5 + 1;
  const unsigned month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;
  return {static_cast<std::int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::string year_text(std::int64_t year) {
  return year < 0 ? fmt::format("-{:04}", -year) : fmt::format("{:04}", year);
}

// The date and time of day without a zone.
std::string date_time_text(std::int64_t unix_seconds, Precision precision) {
  std::int64_t days = unix_seconds / kSecondsPerDay;
  std::int64_t second_of_day = unix_seconds % kSecondsPerDay;
  if (second_of_day < 0) {
    second_of_day += kSecondsPerDay;
    --days;
  }
  const CivilDate date = civil_from_days(days);
  const std::string to_minute =
      fmt::format("{}-{:02}-{:02} {:02}:{:02}", year_text(date.year), date.month, date.day,
                  second_of_day / kSecondsPerHour, second_of_day / 60 % 60);
  return precision == Precision::minutes ? to_minute
                                         : to_minute + fmt::format(":{:02}", second_of_day % 60);
}

}  // namespace

// After Howard Hinnant's days_from_civil, the inverse of civil_from_days() above.
std::int64_t days_from_civil(std::int64_t year, int month, int day) {
  const std::int64_t shifted_year = month <= 2 ? year - 1 : year;
  const std::int64_t era = (shifted_year >= 0 ? shifted_year : shifted_year - 399) / 400;
  const std::int64_t year_of_era = shifted_year - era * 400;
  const int day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  return era * 146097 + year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year -
         719468;
}

std::string utc_text(std::int64_t unix_seconds, Precision precision) {
  return date_time_text(unix_seconds, precision) + " UTC";
}

std::string offset_text(int offset_seconds) {
  const int minutes = (offset_seconds < 0 ? -offset_seconds : offset_seconds) / 60;
  return fmt::format("{}{:02}:{:02}", offset_seconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

std::string local_text(std::int64_t unix_seconds, int offset_seconds, Precision precision) {
  // Past either end of the 64-bit range the clock of the zone stops there, as no date lies beyond.
  const std::int64_t local = checked_add(unix_seconds, offset_seconds)
                                 .value_or(offset_seconds > 0 ? kMaxNumber : kMinNumber);
  return date_time_text(local, precision) + " " + offset_text(offset_seconds);
}

std::string written_date(std::int64_t clock_seconds, int offset_seconds) {
  std::string text = date_time_text(clock_seconds, Precision::seconds);
  text[text.find(' ')] = 'T';
  return text + offset_text(offset_seconds);
}

std::string duration_text(std::uint64_t seconds) {
  static constexpr std::array<std::pair<std::uint64_t, char>, 4> kUnits{
      {{kSecondsPerDay, 'd'}, {kSecondsPerHour, 'h'}, {60, 'm'}, {1, 's'}}};
  for (std::size_t index = 0; index + 1 < kUnits.size(); ++index) {
    const auto [size, name] = kUnits[index];
    if (seconds >= size) {
      const auto [next_size, next_name] = kUnits[index + 1];
      const std::uint64_t rest = seconds % size / next_size;
      return rest == 0 ? fmt::format("{}{}", seconds / size, name)
                       : fmt::format("{}{} {}{}", seconds / size, name, rest, next_name);
    }
  }
  return fmt::format("{}s", seconds);
}

std::string left_text(std::uint64_t seconds, const TimeUnitNames& units) {
  const auto [day, hour, minute, second] = units;
  if (seconds < 60) {
    return fmt::format("{}{}", seconds, second);
  }
  constexpr auto kDay = static_cast<std::uint64_t>(kSecondsPerDay);
  constexpr auto kHour = static_cast<std::uint64_t>(kSecondsPerHour);
  const std::uint64_t days = seconds / kDay;
  const std::uint64_t hours = seconds % kDay / kHour;
  const std::uint64_t minutes = seconds % kHour / 60;
  if (days > 0) {
    return fmt::format("{}{} {}{} {}{}", days, day, hours, hour, minutes, minute);
  }
  return hours > 0 ? fmt::format("{}{} {}{}", hours, hour, minutes, minute)
                   : fmt::format("{}{}", minutes, minute);
}

std::uint64_t seconds_between(std::int64_t from, std::int64_t to) {
  // Modular subtraction gives the exact span for to >= from, even across the whole range.
  return static_cast<std::uint64_t>(to) - static_cast<std::uint64_t>(from);
}

std::string relative_text(std::int64_t when, std::int64_t now) {
  if (when == now) return "now";
  return when > now ? "in " + duration_text(seconds_between(now, when))
                    : duration_text(seconds_between(when, now)) + " ago";
}

std::string unlock_status(std::int64_t unlock_time, std::int64_t now) {
  if (now >= unlock_time) return "released";
  return "locked, " + left_text(seconds_between(now, unlock_time)) + " left";
}

}  // namespace quellwarden::config
