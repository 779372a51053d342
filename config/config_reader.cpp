// Reads the configuration document member by member, in the same order as the plugin's loader.
#include "config/config_reader.h"

#include <string_view>

#include "config/date_reading.h"
#include "config/quoted_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

// Where a number member stands, so that an error can point the administrator at it.
struct Place {
  std::string_view member;
  std::string_view list = {};  // empty for a top-level member
  std::string_view class_name = {};
};

std::string describe(const Place& place) {
  std::string text = in_quotes(place.member);
  if (!place.list.empty()) {
    text += " of class " + in_quotes(place.class_name) + " in " + in_quotes(place.list);
  }
  return text;
}

[[noreturn]] void throw_does_not_fit(const Place& place, const json& value) {
  throw ConfigError(describe(place) + " is " + value.dump() +
                    ", which does not fit a signed 64-bit number");
}

// Integers as they are, floats truncated toward zero, booleans as 1 and 0: within 32 bits the same
// values that the conversion to int gives.
std::int64_t to_int64(const json& value, const Place& place) {
  switch (value.type()) {
    case json::value_t::number_integer:
      return value.get<std::int64_t>();
    case json::value_t::number_unsigned:
      if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(kMaxNumber)) {
        throw_does_not_fit(place, value);
      }
      return static_cast<std::int64_t>(value.get<std::uint64_t>());
    case json::value_t::number_float: {
      const double number = value.get<double>();
      if (!(number >= -kTwoToThe63 && number < kTwoToThe63)) throw_does_not_fit(place, value);
      return static_cast<std::int64_t>(number);
    }
    case json::value_t::boolean:
      return value.get<bool>() ? 1 : 0;
    default:
      // Null, string, array, object: the conversion to int raises the library's own type_error 302
      // (the one for int64_t refuses booleans too, so it cannot serve above).
      return value.get<int>();
  }
}

// The member `key` of `holder`, or `fallback` when it is absent. Nothing is copied: a member may
// be nested deeper than a recursive copy could survive. A holder that is not an object raises
// the library's own type_error 306, exactly as reading it through value() does.
const json& member_or(const json& holder, const std::string& key, const json& fallback) {
  if (!holder.is_object()) {
    static_cast<void>(holder.value(key, 0));
  }
  const auto found = holder.find(key);
  return found == holder.end() ? fallback : *found;
}

std::int64_t read_number(const json& holder, const Place& place) {
  static const json absent = 0;
  return to_int64(member_or(holder, std::string(place.member), absent), place);
}

// Unix seconds as a number, as ever, or a date with its zone; any other text is refused with
// the forms that work, since a guessed zone would shift every unlock by hours.
std::int64_t read_wipe(const json& document) {
  static const json absent = 0;
  const json& wipe = member_or(document, kWipeTimestamp, absent);
  if (!wipe.is_string()) return to_int64(wipe, {kWipeTimestamp});
  const DateReading date = read_date(wipe.get_ref<const std::string&>());
  if (date.unix_seconds) return *date.unix_seconds;
  throw ConfigError(in_quotes(kWipeTimestamp) + " is " +
                    in_quotes(wipe.get_ref<const std::string&>()) + ", which " + date.problem +
                    "; write Unix seconds as a number, without quotes, or a date as " + kDateForms);
}

// The table widens a class name up to its first NUL, so "A\u0000old" would silently stand for
// "A" and replace that class's entry.
void check_class_name(std::string_view class_name, std::string_view list_name) {
  if (class_name.find('\0') == std::string_view::npos) return;
  throw ConfigError("class name " + in_quotes(class_name) + " in " + in_quotes(list_name) +
                    " holds a NUL character (\\u0000), which would cut it to " +
                    in_quotes(class_name.substr(0, class_name.find('\0'))) + "; remove it");
}

std::int64_t unlock_time(std::int64_t wipe, std::int64_t hours, const Place& place) {
  const bool product_fits =
      hours <= kMaxNumber / kSecondsPerHour && hours >= kMinNumber / kSecondsPerHour;
  const std::int64_t delay = product_fits ? hours * kSecondsPerHour : 0;
  if (!product_fits || (delay > 0 && wipe > kMaxNumber - delay) ||
      (delay < 0 && wipe < kMinNumber - delay)) {
    throw ConfigError(describe(place) + " is " + std::to_string(hours) +
                      ", which puts the unlock time (" + kWipeTimestamp + " " +
                      std::to_string(wipe) + " + " + kHoursToDelay + " * " +
                      std::to_string(kSecondsPerHour) + ") outside a signed 64-bit number");
  }
  return wipe + delay;
}

std::vector<DelayEntry> read_entries(const json& list, std::string_view list_name,
                                     std::int64_t wipe) {
  std::vector<DelayEntry> entries;
  entries.reserve(list.size());
  for (const auto& item : list.items()) {
    check_class_name(item.key(), list_name);
    const Place place{kHoursToDelay, list_name, item.key()};
    const std::int64_t hours = read_number(item.value(), place);
    entries.push_back({item.key(), hours, unlock_time(wipe, hours, place),
                       read_display_name(item.value(), list_name, item.key())});
  }
  return entries;
}

}  // namespace

ParseResult parse_document(std::istream& in) {
  ParseResult result{json::object(), std::nullopt};
  try {
    in >> result.document;
  } catch (const json::exception& error) {
    result.document = json::object();
    result.error = error.what();
  }
  return result;
}

Configuration read_configuration(const json& document) {
  static const json no_settings = json::object();
  static const json no_entries = json::array();
  const json& settings = member_or(document, kDinoSettings, no_settings);
  const json& riding = member_or(settings, kDisallowRiding, no_entries);
  const json& taming = member_or(settings, kDisallowTaming, no_entries);

  Configuration configuration;
  configuration.wipe_timestamp = read_wipe(document);
  configuration.riding = read_entries(riding, kDisallowRiding, configuration.wipe_timestamp);
  configuration.taming = read_entries(taming, kDisallowTaming, configuration.wipe_timestamp);
  configuration.notices = read_notice_settings(document);
  return configuration;
}

}  // namespace quellwarden::config
