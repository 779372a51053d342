// Each list sorted by unlock time, then class name, so the next class to be released comes first.
#include "plugin/status_report.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "config/effective_entries.h"
#include "config/report_json.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "host/game_functions.h"
#include "host/utf8.h"
#include "plugin/last_good.h"
#include "text/printable.h"
#include "version.h"

namespace quellwarden {
namespace {

using config::DelayEntry;

// The table's entries as the file gave them, those the request admits: the hours are exact,
// since every unlock time is the wipe plus whole hours.
std::vector<DelayEntry> sorted_entries(const DelayTable& table, const config::DisplayNames& names,
                                       std::int64_t wipe, const StatusRequest& request,
                                       std::int64_t now) {
  std::vector<DelayEntry> entries;
  table.for_each([&](std::int32_t slot, std::u16string_view key, std::int64_t unlock_time) {
    DelayEntry entry{host::encode_utf8(key), (unlock_time - wipe) / config::kSecondsPerHour,
                     unlock_time, std::string(config::display_name_at(names, slot))};
    if (request.admits(entry, now)) entries.push_back(std::move(entry));
  });
  config::sort_by_unlock(entries);
  return entries;
}

// What is in force, the classes the request admits; nothing when no configuration is.
std::optional<config::Schedule> schedule_of(const PluginState& state, const StatusRequest& request,
                                            std::int64_t now) {
  if (!state.in_force) return std::nullopt;
  const config::DelayTables& tables = state.tables;
  return config::Schedule{
      tables.wipe_timestamp,
      sorted_entries(tables.riding, tables.riding_names, tables.wipe_timestamp, request, now),
      sorted_entries(tables.taming, tables.taming_names, tables.wipe_timestamp, request, now),
      tables.notices};
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
  for (const DelayEntry& entry : entries) {
    lines.push_back(entry_line(list, entry, now));
  }
}

// Without a filter each empty list says so; with one, a single line says that nothing matched.
void add_lists(std::vector<std::string>& lines, const config::Schedule& lists,
               const StatusRequest& request, std::int64_t now) {
  if (request.filters()) {
    if (lists.riding.empty() && lists.taming.empty()) lines.push_back(request.nothing_matches());
  } else {
    for (const auto& [name, entries] :
         {std::pair{"riding", &lists.riding}, {"taming", &lists.taming}}) {
      if (entries->empty()) lines.push_back(fmt::format(config::kStatusNoClasses, name));
    }
  }
  add_list(lines, "riding", lists.riding, now);
  add_list(lines, "taming", lists.taming, now);
}

std::string headline(const PluginState& state, std::int64_t now) {
  if (!state.in_force) {
    return fmt::format(config::kStatusNothingInForce, kVersion);
  }
  const std::int64_t wipe = state.tables.wipe_timestamp;
  return fmt::format(config::kStatusHeadline, kVersion, config::utc_text(wipe), wipe,
                     config::utc_text(now));
}

std::string notices_line(const PluginState& state) {
  const std::optional<config::NoticeSettings>& notices = state.tables.notices;
  if (!state.in_force || !notices) return config::kStatusNoticesOff;
  return fmt::format(config::kStatusNoticesOn, notices->cooldown_seconds,
                     notices->chat_command.empty() ? config::kStatusNoChatCommand
                                                   : printable(notices->chat_command));
}

// What became of the latest load that did not apply config.json; nothing after one that did.
std::optional<std::string> last_load_line(const PluginState& state) {
  if (!state.last_load || state.last_load->ok()) return std::nullopt;
  const LoadRecord& load = *state.last_load;
  const std::string reason = printable(refusal_line(*load.refusal));
  if (load.fallback_written) {
    return fmt::format(config::kStatusFellBack, config::utc_text(load.time),
                       last_good_applied(*load.fallback_written), reason);
  }
  return fmt::format(
      config::kStatusLastLoadFailed, config::utc_text(load.time), reason,
      state.in_force ? config::kStatusPreviousInForce : config::kStatusNothingHeldBack);
}

config::JsonObject last_load_json(const LoadRecord& record) {
  config::JsonObject json;
  json.number("time", record.time)
      .flag("ok", record.ok())
      .refusal(record.refusal ? &*record.refusal : nullptr)
      .flag("fallback", record.fallback_written.has_value())
      .number("fallback_written", record.fallback_written);
  return json;
}

}  // namespace

std::vector<std::string> status_lines(const PluginState& state, std::int64_t now,
                                      const StatusRequest& request) {
  std::vector<std::string> lines{headline(state, now), notices_line(state)};
  if (auto line = last_load_line(state)) lines.push_back(std::move(*line));
  if (const auto lists = schedule_of(state, request, now)) add_lists(lines, *lists, request, now);
  if (state.host_failures > 0) {
    lines.push_back(fmt::format(config::kStatusHostFailures, state.host_failures,
                                state.host_failures == 1 ? "time" : "times"));
  }
  if (const std::uint64_t left = host::blocks_left_behind(); left > 0) {
    lines.push_back(fmt::format(config::kBlocksLeftBehind, left));
  }
  const std::vector<config::Diagnostic>& warnings = state.diagnostics;
  const std::size_t shown = std::min(warnings.size(), config::kMostWarningsShown);
  for (std::size_t index = 0; index < shown; ++index) {
    lines.push_back(fmt::format(config::kStatusWarning, printable(warnings[index].text)));
  }
  if (shown < warnings.size()) {
    lines.push_back(fmt::format(config::kMoreWarnings, warnings.size() - shown));
  }
  return lines;
}

std::string status_json(const PluginState& state, std::int64_t now, const StatusRequest& request) {
  const std::optional<config::Schedule> schedule = schedule_of(state, request, now);
  config::JsonObject status;
  status.text("version", kVersion)
      .schedule(now, schedule ? &*schedule : nullptr, state.diagnostics)
      .number("host_failures", static_cast<std::int64_t>(state.host_failures));
  if (const std::uint64_t left = host::blocks_left_behind(); left > 0) {
    status.number("blocks_left_behind", static_cast<std::int64_t>(left));
  }
  status.object("last_load",
                state.last_load ? std::optional(last_load_json(*state.last_load)) : std::nullopt);
  return status.dump();
}

}  // namespace quellwarden
