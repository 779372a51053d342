// Each list sorted by unlock time, then class name, so the next class to be released comes first.
#include "plugin/status_report.h"

#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <tuple>

#include "config/ascii_fold.h"
#include "config/report_json.h"
#include "config/time_text.h"
#include "config/version.h"
#include "config/vocabulary.h"
#include "host/utf8.h"
#include "log/printable.h"

namespace quellwarden {
namespace {

using config::DelayEntry;

// The table's entries as the file gave them: the hours are exact, since every unlock time is the
// wipe plus whole hours.
std::vector<DelayEntry> sorted_entries(const DelayTable& table, const config::DisplayNames& names,
                                       std::int64_t wipe) {
  std::vector<DelayEntry> entries;
  table.for_each([&](std::u16string_view key, std::int64_t unlock_time) {
    std::string name = host::encode_utf8(key);
    const auto display = names.empty() ? names.end() : names.find(config::ascii_folded(name));
    entries.push_back({std::move(name), (unlock_time - wipe) / config::kSecondsPerHour, unlock_time,
                       display == names.end() ? std::string() : display->second});
  });
  std::sort(entries.begin(), entries.end(), [](const DelayEntry& a, const DelayEntry& b) {
    return std::tie(a.unlock_time, a.class_name) < std::tie(b.unlock_time, b.class_name);
  });
  return entries;
}

std::vector<DelayEntry> riding_entries(const PluginState& state) {
  return sorted_entries(state.tables.riding, state.tables.riding_names,
                        state.tables.wipe_timestamp);
}
std::vector<DelayEntry> taming_entries(const PluginState& state) {
  return sorted_entries(state.tables.taming, state.tables.taming_names,
                        state.tables.wipe_timestamp);
}

std::string entry_line(const char* list, const DelayEntry& entry, std::int64_t now) {
  const std::string name = printable(entry.class_name);
  if (entry.unlock_time > now) {
    return fmt::format(config::kStatusLocked, list, name, config::utc_text(entry.unlock_time),
                       config::left_text(config::seconds_between(now, entry.unlock_time)));
  }
  return fmt::format(config::kStatusReleased, list, name, config::utc_text(entry.unlock_time));
}

void add_list(std::vector<std::string>& lines, const char* list,
              const std::vector<DelayEntry>& entries, std::int64_t now) {
  if (entries.empty()) {
    lines.push_back(fmt::format(config::kStatusNoClasses, list));
  }
  for (const DelayEntry& entry : entries) {
    lines.push_back(entry_line(list, entry, now));
  }
}

std::string headline(const PluginState& state, std::int64_t now) {
  if (!state.in_force) {
    return fmt::format(config::kStatusNothingInForce, kVersion);
  }
  const std::int64_t wipe = state.tables.wipe_timestamp;
  return fmt::format(config::kStatusHeadline, kVersion, config::utc_text(wipe), wipe,
                     config::utc_text(now));
}

}  // namespace

std::vector<std::string> status_lines(const PluginState& state, std::int64_t now) {
  std::vector<std::string> lines{headline(state, now)};
  if (state.last_load && !state.last_load->ok) {
    lines.push_back(fmt::format(
        config::kStatusLastLoadFailed, config::utc_text(state.last_load->time),
        printable(state.last_load->error),
        state.in_force ? config::kStatusPreviousInForce : config::kStatusNothingHeldBack));
  }
  if (state.in_force) {
    add_list(lines, "riding", riding_entries(state), now);
    add_list(lines, "taming", taming_entries(state), now);
  }
  if (state.host_failures > 0) {
    lines.push_back(fmt::format(config::kStatusHostFailures, state.host_failures,
                                state.host_failures == 1 ? "time" : "times"));
  }
  for (const config::Diagnostic& diagnostic : state.diagnostics) {
    lines.push_back(fmt::format(config::kStatusWarning, printable(diagnostic.text)));
  }
  return lines;
}

std::string status_json(const PluginState& state, std::int64_t now) {
  nlohmann::ordered_json status;
  status["version"] = kVersion;
  status["now"] = now;
  status["wipe_timestamp"] =
      state.in_force ? nlohmann::ordered_json(state.tables.wipe_timestamp) : nullptr;
  status["riding"] = config::entries_json(riding_entries(state), now);
  status["taming"] = config::entries_json(taming_entries(state), now);
  status["warnings"] = config::diagnostics_json(state.diagnostics);
  status["host_failures"] = state.host_failures;
  if (state.last_load) {
    const LoadRecord& load = *state.last_load;
    status["last_load"] = {
        {"time", load.time},
        {"ok", load.ok},
        {"error", load.ok ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(load.error)}};
  } else {
    status["last_load"] = nullptr;
  }
  return status.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace quellwarden
