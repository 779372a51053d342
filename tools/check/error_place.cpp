// The library's type errors name a type but no place; an admin with a long file needs the place.
// The walk follows config_reader.cpp: the document and "DinoSettings" as objects, then
// "WipeTimestamp", then each list's entries and their "HoursToDelay", riding first.
#include "tools/check/error_place.h"

#include <string_view>
#include <vector>

#include "config/vocabulary.h"
#include "tools/check/display_text.h"

namespace quellwarden::check {
namespace {

using nlohmann::json;

constexpr std::size_t kShownTextLength = 40;
constexpr int kNotAnObject = 306;  // the library's error ids the reader lets out
constexpr int kNotANumber = 302;

// A place, with the error the reader raises there: the id and the type name its text ends in.
struct Found {
  int id;
  std::string type_name;
  std::string text;
};

std::string found_text(const json& value) {
  switch (value.type()) {
    case json::value_t::null:
      return "null";
    case json::value_t::string: {
      const std::string& text = value.get_ref<const std::string&>();
      return "the string " + in_quotes(text.size() > kShownTextLength
                                           ? text.substr(0, kShownTextLength) + "..."
                                           : text);
    }
    case json::value_t::array:
      return "an array";
    case json::value_t::object:
      return "an object";
    case json::value_t::boolean:
      return value.dump();
    default:
      return "the number " + value.dump();
  }
}

std::string path_text(const std::vector<std::string_view>& path) {
  std::string text;
  for (const std::string_view name : path) text += (text.empty() ? "" : " > ") + printable(name);
  return text;
}

Found place(int id, const std::vector<std::string_view>& path, const json& value,
            std::string_view fix) {
  return {id, value.type_name(),
          path_text(path) + " is " + found_text(value) + "; " + std::string(fix)};
}

// The conversion to a number takes numbers and booleans; everything else but a date is refused.
bool is_number_like(const json& value) { return value.is_number() || value.is_boolean(); }

std::optional<Found> entry_place(std::vector<std::string_view> path, const json& entry) {
  if (!entry.is_object()) {
    const std::string fix = entry.is_number() ? "write {\"HoursToDelay\": " + entry.dump() + "}"
                                              : "write an object such as {\"HoursToDelay\": 24}";
    return place(kNotAnObject, path, entry, fix);
  }
  const auto hours = entry.find(config::kHoursToDelay);
  if (hours == entry.end() || is_number_like(*hours)) return std::nullopt;
  path.push_back(config::kHoursToDelay);
  return place(kNotANumber, path, *hours, "write a number of hours");
}

std::optional<Found> list_place(const json& settings, std::string_view list_name) {
  const auto list = settings.find(list_name);
  if (list == settings.end() || list->is_null()) return std::nullopt;
  const std::vector<std::string_view> path{config::kDinoSettings, list_name};
  if (!list->is_object() && !list->is_array()) {
    return place(kNotAnObject, path, *list,
                 "write an object from class name to entry, such as "
                 "{\"Rex_Character_BP_C\": {\"HoursToDelay\": 24}}");
  }
  for (const auto& item : list->items()) {
    std::vector<std::string_view> entry_path = path;
    entry_path.push_back(item.key());
    if (auto found = entry_place(entry_path, item.value())) return found;
  }
  return std::nullopt;
}

Found top_level_place(const json& document) {
  const std::string fix =
      document.is_array() && document.size() == 1 && document[0].is_object()
          ? "remove the [ ] around the object"
          : "the file must hold one object, {\"WipeTimestamp\": ..., \"DinoSettings\": {...}}";
  return {kNotAnObject, document.type_name(),
          "the file's top level is " + found_text(document) + "; " + fix};
}

std::optional<Found> first_place(const json& document) {
  if (!document.is_object()) return top_level_place(document);
  const auto settings = document.find(config::kDinoSettings);
  if (settings != document.end() && !settings->is_object()) {
    return place(kNotAnObject, {config::kDinoSettings}, *settings,
                 "write an object holding \"DisallowRiding\" and \"DisallowTaming\"");
  }
  const auto wipe = document.find(config::kWipeTimestamp);
  if (wipe != document.end() && !is_number_like(*wipe) && !wipe->is_string()) {
    return place(kNotANumber, {config::kWipeTimestamp}, *wipe,
                 "write Unix seconds or a date such as \"2026-01-08T18:00:00Z\"");
  }
  if (settings == document.end()) return std::nullopt;
  for (const std::string_view list_name : {config::kDisallowRiding, config::kDisallowTaming}) {
    if (auto found = list_place(*settings, list_name)) return found;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> type_error_place(const json& document, const json::type_error& error) {
  std::optional<Found> found = first_place(document);
  // A read this walk does not know of may have failed first; then no place beats a wrong one.
  if (!found || found->id != error.id ||
      !std::string_view(error.what()).ends_with(found->type_name)) {
    return std::nullopt;
  }
  return std::move(found->text);
}

}  // namespace quellwarden::check
