// Reads the document member by member, in the order the loader always has, so that a file with
// several mistakes is refused for the same one as ever.
#include "config/config_reader.h"

#include <fmt/format.h>

#include <iterator>
#include <optional>
#include <string_view>

#include "config/creature_classes.h"
#include "config/date_reading.h"
#include "config/document.h"
#include "config/vocabulary.h"
#include "text/printable.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

template <typename T>
using Read = std::variant<T, Refusal>;

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

// The library's own errors, word for word, with the place and the fix the checker adds.
Refusal not_an_object(const Value& found, MemberPath path, std::string hint) {
  return {
      fmt::format(kNotAnObjectError, type_name(found.type())), std::move(path), {std::move(hint)}};
}
Refusal not_a_number(const Value& found, MemberPath path, std::string_view fix) {
  std::string hint = member_path_text(path) + " is " + found_text(found) + "; " + std::string(fix);
  return {
      fmt::format(kNotANumberError, type_name(found.type())), std::move(path), {std::move(hint)}};
}

Refusal does_not_fit(const Place& place, const json& number, MemberPath path) {
  return {describe(place) + " is " + number.dump() + ", which does not fit a signed 64-bit number",
          std::move(path),
          {}};
}

// Integers as they are, floats truncated toward zero, booleans as 1 and 0: within 32 bits the same
// values that the conversion to int gives. Null, a string, an array or an object is refused, at
// the member `path()`, made only then.
template <typename Path>
Read<std::int64_t> to_int64(const Value& value, const Place& place, Path&& path,
                            std::string_view fix) {
  const json& number = value.held();
  switch (value.type()) {
    case ValueType::number_integer:
      return number.get<std::int64_t>();
    case ValueType::number_unsigned:
      if (number.get<std::uint64_t>() > static_cast<std::uint64_t>(kMaxNumber)) {
        return does_not_fit(place, number, path());
      }
      return static_cast<std::int64_t>(number.get<std::uint64_t>());
    case ValueType::number_float: {
      const double real = number.get<double>();
      if (!(real >= -kTwoToThe63 && real < kTwoToThe63)) return does_not_fit(place, number, path());
      return static_cast<std::int64_t>(real);
    }
    case ValueType::boolean:
      return number.get<bool>() ? 1 : 0;
    case ValueType::discarded:
      return 0;  // absent
    default:
      return not_a_number(value, path(), fix);
  }
}

std::string top_level_hint(const Document& document) {
  return "the file's top level is " + found_text(document.top) + "; " +
         (document.top_holds_one_object
              ? "remove the [ ] around the object"
              : "the file must hold one object, {\"WipeTimestamp\": ..., \"DinoSettings\": {...}}");
}

// Unix seconds as a number, as ever, or a date with its zone; any other text is refused with
// the forms that work, since a guessed zone would shift every unlock by hours.
Read<std::int64_t> read_wipe(const Value& wipe) {
  if (wipe.type() != ValueType::string) {
    return to_int64(
        wipe, {kWipeTimestamp}, [] { return MemberPath{kWipeTimestamp}; },
        "write Unix seconds or a date such as \"2026-01-08T18:00:00Z\"");
  }
  const std::string& text = wipe.held().get_ref<const std::string&>();
  const DateReading date = read_date(text);
  if (date.unix_seconds) return *date.unix_seconds;
  return Refusal{in_quotes(kWipeTimestamp) + " is " + value_text(wipe) + ", which " + date.problem +
                     "; write Unix seconds as a number, without quotes, or a date as " + kDateForms,
                 {kWipeTimestamp},
                 date.suggestion.empty() ? std::vector<std::string>{}
                                         : std::vector<std::string>{date.suggestion}};
}

template <typename Path>
Read<std::int64_t> unlock_time(std::int64_t wipe, std::int64_t hours, const Place& place,
                               Path&& path) {
  const std::optional<std::int64_t> delay = checked_multiply(hours, kSecondsPerHour);
  const std::optional<std::int64_t> unlock = delay ? checked_add(wipe, *delay) : std::nullopt;
  if (!unlock) {
    return Refusal{describe(place) + " is " + std::to_string(hours) +
                       ", which puts the unlock time (" + kWipeTimestamp + " " +
                       std::to_string(wipe) + " + " + kHoursToDelay + " * " +
                       std::to_string(kSecondsPerHour) + ") outside a signed 64-bit number",
                   path(),
                   {}};
  }
  return *unlock;
}

// An entry that does not read: the refusal it alone would give, and why, as its held-back line says
// it after the class and its list.
struct EntryError {
  Refusal refusal;
  std::string reason;
};

// The table widens a class name up to its first NUL, so "A\u0000old" would silently stand for
// "A" and replace that class's entry.
std::optional<EntryError> nul_in_name(std::string_view class_name, std::string_view list_name,
                                      const MemberPath& list_path) {
  const std::size_t nul = class_name.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  const std::string cut = "a NUL character (\\u0000), which would cut it to " +
                          in_quotes(class_name.substr(0, nul)) + "; remove it";
  return EntryError{
      {"class name " + in_quotes(class_name) + " in " + in_quotes(list_name) + " holds " + cut,
       below(list_path, class_name),
       {}},
      "its name holds " + cut};
}

EntryError item_not_an_object(const ListItem& item, const MemberPath& list_path) {
  const std::string fix =
      item.members[kHoursToDelay].held().is_number()
          ? "write {\"HoursToDelay\": " + item.members[kHoursToDelay].held().dump() + "}"
          : "write an object such as {\"HoursToDelay\": 24}";
  MemberPath path = below(list_path, item.class_name);
  const Value& itself = item.members[kHoursToDelay];
  std::string hint = member_path_text(path) + " is " + found_text(itself) + "; " + fix;
  return {not_an_object(itself, std::move(path), std::move(hint)),
          "the entry is " + found_text(itself) + "; " + fix};
}

// The hint after the entry's own place ("HoursToDelay is the string ..."), else the text.
std::string reason_of(const Refusal& refusal, std::string_view entry_place) {
  if (!refusal.hints.empty() && refusal.hints[0].starts_with(entry_place)) {
    return refusal.hints[0].substr(entry_place.size());
  }
  return refusal.text;
}

std::variant<DelayEntry, EntryError> read_entry(const ListItem& item, std::string_view list_name,
                                                const MemberPath& list_path, std::int64_t wipe) {
  if (auto error = nul_in_name(item.class_name, list_name, list_path)) return std::move(*error);
  if (item.type != ValueType::object) return item_not_an_object(item, list_path);
  const Place place{kHoursToDelay, list_name, item.class_name};
  const auto path = [&] { return below(below(list_path, item.class_name), kHoursToDelay); };
  const auto failed = [&](const Refusal& refusal) {
    const std::string entry = member_path_text(below(list_path, item.class_name)) + " > ";
    const std::string of_class =
        " of class " + in_quotes(item.class_name) + " in " + in_quotes(list_name);
    std::string reason = reason_of(refusal, entry);
    if (const std::size_t at = reason.find(of_class); at != std::string::npos) {
      reason = std::string(kHoursToDelay) + reason.substr(at + of_class.size());
    }
    return EntryError{refusal, std::move(reason)};
  };
  const Read<std::int64_t> hours =
      to_int64(item.members[kHoursToDelay], place, path, "write a number of hours");
  if (const auto* refusal = std::get_if<Refusal>(&hours)) return failed(*refusal);
  const std::int64_t whole_hours = std::get<std::int64_t>(hours);
  const Read<std::int64_t> unlock = unlock_time(wipe, whole_hours, place, path);
  if (const auto* refusal = std::get_if<Refusal>(&unlock)) return failed(*refusal);
  return DelayEntry{item.class_name, whole_hours, std::get<std::int64_t>(unlock),
                    read_display_name(item.members[kDisplayName]), item.mod_class()};
}

// Every entry is read, so that one run names each that does not read.
void read_list(const List& list, std::string_view list_name, std::int64_t wipe,
               std::vector<DelayEntry>& entries, ConfigurationReading& reading) {
  const MemberPath path{kDinoSettings, std::string(list_name)};
  const ValueType shape = list.shape.type();
  if (shape != ValueType::object && shape != ValueType::array && !list.items.empty()) {
    // A scalar is iterated as one item without a name, the scalar itself, which is no object.
    reading.errors.push_back(
        not_an_object(list.shape, path,
                      member_path_text(path) + " is " + found_text(list.shape) +
                          "; write an object from class name to entry, such as "
                          "{\"Rex_Character_BP_C\": {\"HoursToDelay\": 24}}"));
    reading.salvageable = false;
    return;
  }
  entries.reserve(list.items.size());
  for (const ListItem& item : list.items) {
    std::variant<DelayEntry, EntryError> entry = read_entry(item, list_name, path, wipe);
    if (auto* error = std::get_if<EntryError>(&entry)) {
      reading.errors.push_back(std::move(error->refusal));
      reading.held.push_back({std::string(list_name), item.class_name, std::move(error->reason)});
      continue;
    }
    entries.push_back(std::move(std::get<DelayEntry>(entry)));
  }
}

}  // namespace

ConfigurationReading read_all(const Document& document) {
  ConfigurationReading reading;
  if (document.top.type() != ValueType::object) {
    reading.errors.push_back(not_an_object(document.top, {}, top_level_hint(document)));
    reading.salvageable = false;
    return reading;
  }
  Configuration& configuration = reading.configuration;
  const Read<std::int64_t> wipe = read_wipe(document.members[kWipeTimestamp]);
  if (const auto* refusal = std::get_if<Refusal>(&wipe)) {
    reading.errors.push_back(*refusal);
    reading.salvageable = false;
  } else {
    configuration.wipe_timestamp = std::get<std::int64_t>(wipe);
  }
  const Value& settings = document.members[kDinoSettings];
  if (settings.present() && settings.type() != ValueType::object) {
    // The loader always asked for the lists before the wipe.
    reading.errors.insert(
        reading.errors.begin(),
        not_an_object(settings, {kDinoSettings},
                      std::string(kDinoSettings) + " is " + found_text(settings) +
                          "; write an object holding \"DisallowRiding\" and \"DisallowTaming\""));
    reading.salvageable = false;
    return reading;
  }
  for (const auto& [list, name] : {std::pair{&configuration.riding, kDisallowRiding},
                                   std::pair{&configuration.taming, kDisallowTaming}}) {
    read_list(document.lists.at(index_in(kSettingsMembers, name)), name,
              configuration.wipe_timestamp, *list, reading);
  }
  configuration.notices = document.notice_reading.settings;
  configuration.announcements = document.announcement_reading.settings;
  configuration.bypass = document.bypass_reading.ids;
  return reading;
}

Refusal all_errors(std::vector<Refusal> errors) {
  Refusal refusal = std::move(errors.front());
  for (auto error = errors.begin() + 1; error != errors.end(); ++error) {
    if (error->hints.empty()) {
      refusal.hints.push_back(std::move(error->text));
    } else {
      std::move(error->hints.begin(), error->hints.end(), std::back_inserter(refusal.hints));
    }
  }
  return refusal;
}

const char* origin_mark(const DelayEntry& entry) {
  if (entry.mod_class) return kModClassMark;
  return is_game_class(entry.class_name) ? "" : kNotInGameListMark;
}

}  // namespace quellwarden::config
