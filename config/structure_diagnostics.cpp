// Walks only the levels the plugin reads, so a deep or huge ignored member costs nothing.
#include <cmath>
#include <map>

#include "tools/check/display_text.h"
#include "tools/check/effective_entries.h"
#include "tools/check/member_names.h"
#include "tools/check/warnings.h"

namespace quellwarden::check {
namespace {

using nlohmann::json;
using Warnings = std::vector<std::string>;

constexpr std::string_view kWipeTimestamp = "WipeTimestamp";
constexpr std::string_view kDinoSettings = "DinoSettings";
constexpr std::string_view kHoursToDelay = "HoursToDelay";
constexpr double kTwoToThe63 = 9223372036854775808.0;

std::string entry_place(std::string_view class_name, std::string_view list_name) {
  return "class " + json_quoted(class_name) + " in " + json_quoted(list_name);
}

bool is_known(std::string_view name, Level level) {
  for (const std::string_view known : known_members(level)) {
    if (name == known) return true;
  }
  return false;
}

void warn_unknown_members(const json& holder, Level level, const std::string& where,
                          Warnings& out) {
  for (const auto& item : holder.items()) {
    if (is_known(item.key(), level)) continue;
    out.push_back("unknown member " + json_quoted(item.key()) + " " + where +
                  " is ignored by the plugin" + member_advice(item.key(), level));
  }
}

// The whole number the plugin makes of a number that is not written as one, explained.
std::optional<std::string> conversion_note(const json& value) {
  if (value.is_boolean()) {
    return "is " + value.dump() + ", not a number; the plugin reads it as " +
           (value.get<bool>() ? "1" : "0");
  }
  if (!value.is_number_float()) return std::nullopt;
  const double number = value.get<double>();
  if (!(number >= -kTwoToThe63 && number < kTwoToThe63) || std::trunc(number) == number) {
    return std::nullopt;  // whole, or out of range and an error of its own
  }
  return "is " + value.dump() + ", not a whole number; the plugin cuts it to " +
         std::to_string(static_cast<std::int64_t>(number));
}

bool is_negative(const json& hours) {
  return (hours.is_number_integer() && hours.get<std::int64_t>() < 0) ||
         (hours.is_number_float() && hours.get<double>() <= -1.0);
}

void warn_hours(const json& entry, const std::string& place, Warnings& out) {
  const auto hours = entry.find(kHoursToDelay);
  if (hours == entry.end()) {
    out.push_back(place +
                  " has no \"HoursToDelay\", so the plugin uses 0 hours and releases it "
                  "at the wipe");
    return;
  }
  if (const auto note = conversion_note(*hours)) {
    out.push_back("\"HoursToDelay\" of " + place + " " + *note);
  }
  if (is_negative(*hours)) {
    out.push_back("\"HoursToDelay\" of " + place + " is " + hours->dump() +
                  ", negative: the class is released before the wipe, not after it");
  }
}

void warn_array_list(const json& list, std::string_view list_name, Warnings& out) {
  if (!list.is_array() || list.empty()) return;
  const std::string names =
      list.size() == 1 ? "the class name \"0\""
                       : "the class names \"0\" to \"" + std::to_string(list.size() - 1) + "\"";
  out.push_back(json_quoted(list_name) + " is an array, so the plugin files its entries under " +
                names + "; it should be an object from class name to entry");
}

void warn_case_twins(const json& list, std::string_view list_name, Warnings& out) {
  if (!list.is_object()) return;
  std::map<std::string, std::vector<std::string>> spellings;
  for (const auto& item : list.items()) spellings[ascii_folded(item.key())].push_back(item.key());
  for (const auto& [folded, names] : spellings) {
    if (names.size() < 2) continue;
    std::string listed;
    for (std::size_t index = 0; index < names.size(); ++index) {
      listed += (index == 0                  ? ""
                 : index + 1 == names.size() ? " and "
                                             : ", ") +
                json_quoted(names[index]);
    }
    out.push_back("class names " + listed + " in " + json_quoted(list_name) +
                  " differ only in letter case; the plugin keeps one class, " +
                  json_quoted(names.back()) + ", the last in byte order");
  }
}

void warn_list(const json& list, std::string_view list_name, Warnings& out) {
  if (!list.is_object() && !list.is_array()) return;
  warn_array_list(list, list_name, out);
  warn_case_twins(list, list_name, out);
  for (const auto& item : list.items()) {
    if (!item.value().is_object()) continue;
    const std::string place = entry_place(item.key(), list_name);
    warn_unknown_members(item.value(), Level::entry, "of " + place, out);
    warn_hours(item.value(), place, out);
  }
}

void warn_settings(const json& settings, Warnings& out) {
  if (!settings.is_object()) return;
  warn_unknown_members(settings, Level::settings, "in \"DinoSettings\"", out);
  for (const std::string_view list_name : known_members(Level::settings)) {
    const auto list = settings.find(list_name);
    if (list != settings.end()) warn_list(*list, list_name, out);
  }
}

void warn_wipe_member(const json& document, Warnings& out) {
  const auto wipe = document.find(kWipeTimestamp);
  if (wipe == document.end()) {
    out.push_back(
        "\"WipeTimestamp\" is missing, so the plugin counts every unlock time from 0 "
        "(1970-01-01 00:00:00 UTC)");
  } else if (const auto note = conversion_note(*wipe)) {
    out.push_back("\"WipeTimestamp\" " + *note);
  }
}

}  // namespace

std::vector<std::string> structure_warnings(const json& document) {
  Warnings out;
  if (!document.is_object()) return out;
  warn_wipe_member(document, out);
  warn_unknown_members(document, Level::top, "at the top level", out);
  const auto settings = document.find(kDinoSettings);
  if (settings != document.end()) warn_settings(*settings, out);
  return out;
}

}  // namespace quellwarden::check
