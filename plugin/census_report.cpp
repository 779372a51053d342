// A class met counts as listed when a list holds it as the tables compare, a to z folded; the
// classes met are shown as the game spelled them, sorted by name, so a long census reads like a
// list.
#include "plugin/census_report.h"

#include <fmt/format.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "config/quoted_text.h"
#include "config/version.h"
#include "config/vocabulary.h"
#include "core/ascii_fold.h"
#include "host/utf8.h"
#include "log/printable.h"

namespace quellwarden {
namespace {

// In the gates' order (RefusedGate).
constexpr std::array<const char*, ClassCensus::kGates> kGateNames{"taming", "imprinting", "riding"};

std::u16string folded(std::u16string_view name) {
  std::u16string text(name);
  for (char16_t& unit : text) unit = static_cast<char16_t>(fold_ascii(unit));
  return text;
}

struct SeenClass {
  std::string name;
  std::array<std::uint64_t, ClassCensus::kGates> calls;
  bool listed;
};

struct Census {
  std::vector<SeenClass> seen;
  std::vector<std::string> not_met;  // listed classes no creature met
};

Census census_of(const ClassCensus& census, const PluginState& state,
                 const StatusRequest& request) {
  std::map<std::u16string, std::u16string> listed;  // folded name: the first list's spelling
  if (state.in_force) {
    for (const DelayTable* table : {&state.tables.riding, &state.tables.taming}) {
      table->for_each([&](std::u16string_view key, std::int64_t) {
        listed.emplace(folded(key), std::u16string(key));
      });
    }
  }
  Census result;
  std::set<std::u16string> met;
  for (const ClassCensus::Entry& entry : census.entries()) {
    std::u16string key = folded(entry.name);
    std::string name = host::encode_utf8(entry.name);
    if (request.names(name)) {
      result.seen.push_back({std::move(name), entry.calls, listed.contains(key)});
    }
    met.insert(std::move(key));
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
    text += fmt::format("{}{} {}", text.empty() ? "" : ", ", kGateNames[gate], calls[gate]);
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
        config::kSeenNoMatch, request.text.empty() ? std::string()
                                                   : fmt::format(config::kStatusNameHolds,
                                                                 config::in_quotes(request.text))));
  }
  if (census.unkept_calls() > 0) {
    lines.push_back(
        fmt::format(config::kSeenUnkept, census.unkept_calls(), ClassCensus::kMostClasses));
  }
  return lines;
}

std::string census_json(const ClassCensus& census, const PluginState& state, std::int64_t now,
                        const StatusRequest& request) {
  using Json = nlohmann::ordered_json;
  const Census found = census_of(census, state, request);
  Json seen = Json::array();
  for (const SeenClass& entry : found.seen) {
    Json item{{"class", entry.name}};
    for (std::size_t gate = 0; gate < entry.calls.size(); ++gate) {
      item[kGateNames[gate]] = entry.calls[gate];
    }
    item["listed"] = entry.listed;
    seen.push_back(std::move(item));
  }
  const Json status{{"version", kVersion},
                    {"now", now},
                    {"seen", std::move(seen)},
                    {"not_met", found.not_met},
                    {"calls_not_kept", census.unkept_calls()}};
  return status.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quellwarden
