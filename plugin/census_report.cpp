// The classes met are shown as the game spelled them, sorted by name, so a long census reads like
// a list.
#include "plugin/census_report.h"

#include <fmt/format.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "config/report_json.h"
#include "config/vocabulary.h"
#include "core/same_class.h"
#include "host/utf8.h"
#include "plugin/gates.h"
#include "text/printable.h"
#include "text/quoted_text.h"
#include "version.h"

namespace quellwarden {
namespace {

struct SeenClass {
  std::string name;
  std::array<std::uint64_t, ClassCensus::kGates> calls;
  bool listed;
};

struct Census {
  std::vector<SeenClass> seen;
  std::vector<std::string> not_met;  // listed classes no creature met
};

// A class met counts as listed when a list holds the same class, by the tables' own rule.
Census census_of(const ClassCensus& census, const PluginState& state,
                 const StatusRequest& request) {
  // Each listed class with the first list's spelling; the views live as long as the tables.
  std::unordered_map<std::u16string_view, std::u16string_view, ClassHash, SameClass> listed;
  if (state.in_force) {
    for (const config::ListTable* list : {&state.tables.riding, &state.tables.taming}) {
      list->table.for_each(
          [&](std::int32_t, std::u16string_view key, std::int64_t) { listed.emplace(key, key); });
    }
  }
  Census result;
  std::unordered_set<std::u16string_view, ClassHash, SameClass> met;
  // A class the game loaded twice is two entries of one name, and one line.
  std::unordered_map<std::u16string_view, std::size_t> line_of;
  for (const ClassCensus::Entry& entry : census.entries()) {
    met.insert(entry.name);
    if (const auto found = line_of.find(entry.name); found != line_of.end()) {
      auto& calls = result.seen[found->second].calls;
      for (std::size_t gate = 0; gate < calls.size(); ++gate) calls[gate] += entry.calls[gate];
      continue;
    }
    std::string name = host::encode_utf8(entry.name);
    if (!request.names(name)) continue;
    line_of.emplace(entry.name, result.seen.size());
    result.seen.push_back({std::move(name), entry.calls, listed.contains(entry.name)});
  }
  for (const auto& [key, spelling] : listed) {
    if (met.contains(key)) continue;
    std::string name = host::encode_utf8(spelling);
    if (request.names(name)) result.not_met.push_back(std::move(name));
  }
  std::sort(result.seen.begin(), result.seen.end(),
            [](const SeenClass& a, const SeenClass& b) { return a.name < b.name; });
  std::sort(result.not_met.begin(), result.not_met.end());
  return result;
}

// "taming 2, riding 1": the gates that met the class.
std::string calls_text(const std::array<std::uint64_t, ClassCensus::kGates>& calls) {
  std::string text;
  for (std::size_t gate = 0; gate < calls.size(); ++gate) {
    if (calls[gate] == 0) continue;
    text += fmt::format("{}{} {}", text.empty() ? "" : ", ", kHeldBack[gate], calls[gate]);
  }
  return text;
}

}  // namespace

std::vector<std::string> census_lines(const ClassCensus& census, const PluginState& state,
                                      const StatusRequest& request) {
  const Census found = census_of(census, state, request);
  std::vector<std::string> lines{fmt::format(config::kSeenHeadline, kVersion)};
  for (const SeenClass& seen : found.seen) {
    lines.push_back(fmt::format(config::kSeenClass, printable(seen.name), calls_text(seen.calls),
                                seen.listed ? "" : config::kSeenNotListed));
  }
  for (const std::string& name : found.not_met) {
    lines.push_back(fmt::format(config::kSeenNotMet, printable(name)));
  }
  if (found.seen.empty() && found.not_met.empty()) {
    lines.push_back(fmt::format(
        config::kSeenNoMatch,
        request.text.empty() ? std::string()
                             : fmt::format(config::kStatusNameHolds, in_quotes(request.text))));
  }
  if (census.unkept_calls() > 0) {
    lines.push_back(
        fmt::format(config::kSeenUnkept, census.unkept_calls(), ClassCensus::kMostClasses));
  }
  return lines;
}

std::string census_json(const ClassCensus& census, const PluginState& state, std::int64_t now,
                        const StatusRequest& request) {
  const Census found = census_of(census, state, request);
  std::vector<config::JsonObject> seen;
  for (const SeenClass& entry : found.seen) {
    config::JsonObject& item = seen.emplace_back();
    item.text("class", entry.name);
    for (std::size_t gate = 0; gate < entry.calls.size(); ++gate) {
      item.number(kHeldBack[gate], static_cast<std::int64_t>(entry.calls[gate]));
    }
    item.flag("listed", entry.listed);
  }
  config::JsonObject status;
  status.text("version", kVersion)
      .number("now", now)
      .objects("seen", std::move(seen))
      .texts("not_met", found.not_met)
      .number("calls_not_kept", static_cast<std::int64_t>(census.unkept_calls()));
  return status.dump();
}

}  // namespace quellwarden
