// Walks only the levels the plugin reads, so a deep or huge ignored member costs nothing.
#include <cmath>
#include <map>

#include "config/diagnostic_parts.h"
#include "config/effective_entries.h"
#include "config/member_names.h"
#include "config/quoted_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

// A member that lives in a list: its list, its class name and the path down to it.
struct Entry {
  std::string_view list_name;
  std::string_view class_name;
  MemberPath path;
};

MemberPath below(MemberPath path, std::string_view name) {
  path.emplace_back(name);
  return path;
}

std::string entry_place(const Entry& entry) {
  return "class " + in_quotes(entry.class_name) + " in " + in_quotes(entry.list_name);
}

bool is_known(std::string_view name, Level level) {
  for (const std::string_view known : known_members(level)) {
    if (name == known) return true;
  }
  return false;
}

Diagnostic unknown_member(std::string_view name, Level level, const std::string& where,
                          MemberPath path) {
  std::string text =
      "unknown member " + in_quotes(name) + " " + where + " is ignored by the plugin";
  const std::optional<MemberMatch> match = meant_member(name, level);
  if (!match) return {"unknown_member", std::move(path), std::move(text)};
  if (match->level == level) {
    return {"unknown_member", std::move(path),
            text + "; did you mean " + in_quotes(match->known) + "?"};
  }
  const std::string place = level_place(match->level);
  text += name == match->known
              ? "; it belongs " + place
              : "; did you mean " + in_quotes(match->known) + ", which belongs " + place + "?";
  return {"misplaced_member", std::move(path), std::move(text)};
}

void check_members(const json& holder, Level level, const std::string& where,
                   const MemberPath& path, Diagnostics& out) {
  for (const auto& item : holder.items()) {
    if (is_known(item.key(), level)) continue;
    out.push_back(unknown_member(item.key(), level, where, below(path, item.key())));
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

// Ten years and more: hours given in minutes or seconds, most likely.
bool is_absurd(const json& hours) {
  if (hours.is_number_integer()) return hours.get<std::int64_t>() > kAbsurdHours;
  if (hours.is_number_unsigned()) return hours.get<std::uint64_t>() > kAbsurdHours;
  return hours.is_number_float() && hours.get<double>() >= static_cast<double>(kAbsurdHours + 1);
}

void check_hours(const json& entry_value, const Entry& entry, Diagnostics& out) {
  const std::string place = entry_place(entry);
  const MemberPath path = below(entry.path, kHoursToDelay);
  const auto hours = entry_value.find(kHoursToDelay);
  if (hours == entry_value.end()) {
    out.push_back({"missing_hours", path,
                   place + " has no " + in_quotes(kHoursToDelay) +
                       ", so the plugin uses 0 hours and releases it at the wipe"});
    return;
  }
  const std::string member = in_quotes(kHoursToDelay) + " of " + place + " ";
  if (const auto note = conversion_note(*hours)) {
    out.push_back({"hours_not_whole", path, member + *note});
  }
  if (is_negative(*hours)) {
    out.push_back({"negative_hours", path,
                   member + "is " + hours->dump() +
                       ", negative: the class is released before the wipe, not after it"});
  }
  if (is_absurd(*hours)) {
    out.push_back({"absurd_hours", path,
                   member + "is " + hours->dump() +
                       ", more than ten years: the class is never released in practice; give "
                       "the delay in hours, not in minutes or seconds"});
  }
}

void check_array_list(const json& list, std::string_view list_name, const MemberPath& path,
                      Diagnostics& out) {
  if (!list.is_array() || list.empty()) return;
  const std::string names =
      list.size() == 1 ? "the class name \"0\""
                       : "the class names \"0\" to \"" + std::to_string(list.size() - 1) + "\"";
  out.push_back({"list_is_array", path,
                 in_quotes(list_name) + " is an array, so the plugin files its entries under " +
                     names + "; it should be an object from class name to entry"});
}

std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t index = 0; index < names.size(); ++index) {
    text += (index == 0                  ? ""
             : index + 1 == names.size() ? " and "
                                         : ", ") +
            in_quotes(names[index]);
  }
  return text;
}

void check_case_twins(const json& list, std::string_view list_name, const MemberPath& path,
                      Diagnostics& out) {
  if (!list.is_object()) return;
  std::map<std::string, std::vector<std::string>> spellings;
  for (const auto& item : list.items()) spellings[ascii_folded(item.key())].push_back(item.key());
  for (const auto& [folded, names] : spellings) {
    if (names.size() < 2) continue;
    out.push_back({"case_twin", path,
                   "class names " + listed(names) + " in " + in_quotes(list_name) +
                       " differ only in letter case; the plugin keeps one class, " +
                       in_quotes(names.back()) + ", the last in byte order"});
  }
}

void check_list(const json& list, std::string_view list_name, const MemberPath& path,
                Diagnostics& out) {
  if (list.is_null()) {
    out.push_back({"null_list", path,
                   in_quotes(list_name) +
                       " is null, so the plugin holds back no class in it; write {} for an "
                       "empty list, or an object from class name to entry"});
  }
  if (!list.is_object() && !list.is_array()) return;
  check_array_list(list, list_name, path, out);
  check_case_twins(list, list_name, path, out);
  for (const auto& item : list.items()) {
    const Entry entry{list_name, item.key(), below(path, item.key())};
    if (list.is_object()) {
      if (auto problem = class_name_diagnostic(item.key(), list_name, entry.path)) {
        out.push_back(std::move(*problem));
      }
    }
    if (!item.value().is_object()) continue;
    check_members(item.value(), Level::entry, "of " + entry_place(entry), entry.path, out);
    check_hours(item.value(), entry, out);
  }
}

void check_settings(const json& settings, Diagnostics& out) {
  if (!settings.is_object()) return;
  const MemberPath path{kDinoSettings};
  check_members(settings, Level::settings, "in " + in_quotes(kDinoSettings), path, out);
  for (const std::string_view list_name : known_members(Level::settings)) {
    const auto list = settings.find(list_name);
    if (list != settings.end()) check_list(*list, list_name, below(path, list_name), out);
  }
}

void check_wipe_member(const json& document, Diagnostics& out) {
  const MemberPath path{kWipeTimestamp};
  const auto wipe = document.find(kWipeTimestamp);
  if (wipe == document.end()) {
    out.push_back({"missing_wipe", path,
                   in_quotes(kWipeTimestamp) +
                       " is missing, so the plugin counts every unlock time from 0 "
                       "(1970-01-01 00:00:00 UTC)"});
  } else if (const auto note = conversion_note(*wipe)) {
    out.push_back({"wipe_not_whole", path, in_quotes(kWipeTimestamp) + " " + *note});
  }
}

}  // namespace

Diagnostics structure_diagnostics(const json& document) {
  Diagnostics out;
  if (!document.is_object()) return out;
  check_wipe_member(document, out);
  check_members(document, Level::top, "at the top level", {}, out);
  const auto settings = document.find(kDinoSettings);
  if (settings != document.end()) check_settings(*settings, out);
  const auto notices = document.find(kPlayerNotices);
  if (notices != document.end() && notices->is_object()) {
    check_members(*notices, Level::notices, "in " + in_quotes(kPlayerNotices), {kPlayerNotices},
                  out);
  }
  return out;
}

}  // namespace quellwarden::config
