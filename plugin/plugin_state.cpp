// The one PluginState. It needs no constructor to run; a local static ties its release to its
// first use, whatever the order of the plugin's source files.
#include "plugin/plugin_state.h"

#include <fmt/format.h>

#include <algorithm>
#include <functional>

#include "config/effective_entries.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "host/utf8.h"
#include "plugin/announcements.h"
#include "plugin/clock.h"
#include "plugin/last_good.h"
#include "text/printable.h"

namespace quellwarden {
namespace {

std::size_t held_back_in(const DelayTable& table, std::int64_t now) {
  std::size_t held = 0;
  table.for_each([&](std::int32_t, std::u16string_view, std::int64_t unlock_time) {
    held += unlock_time > now ? 1U : 0U;
  });
  return held;
}

// The hours are exact, since every unlock time is the wipe plus whole hours, but for an entry held
// until the file is fixed, whose unlock never comes and whose hours did not read (0, as the loader
// keeps them).
std::int64_t hours_of(std::int64_t unlock_time, std::int64_t wipe) {
  if (config::never_unlocks(unlock_time)) return 0;
  return (unlock_time - wipe) / config::kSecondsPerHour;
}

void report_applied(const PluginState& state, std::int64_t now) {
  const config::DelayTables& tables = state.tables;
  state.log.info(config::kLoadedConfig, config::utc_text(tables.wipe_timestamp),
                 tables.riding.table.element_count(), tables.taming.table.element_count(),
                 held_back_now(tables, now));
  for (const std::string& line : warning_lines(state, "{}")) state.log.warn("{}", line);
}

// Recording the attempt must not change its outcome: a record that cannot be made is left out.
void record(PluginState& state, std::int64_t now, const std::optional<config::Refusal>& refusal,
            bool file_missing = false,
            std::optional<std::int64_t> fallback_written = std::nullopt) noexcept {
  try {
    state.last_load = LoadRecord{now, refusal, fallback_written, false, {}, file_missing};
  } catch (...) {
    state.last_load.reset();
  }
}

// "Gigant_Character_BP_C in DisallowTaming: held back until config.json is fixed: ...".
void log_held(const PluginState& state) noexcept {
  try {
    for (const config::HeldEntry& entry : state.tables.held_until_fixed) {
      state.log.error(config::kHeldUntilFixed, printable(entry.class_name), entry.list,
                      printable(entry.reason));
    }
  } catch (...) {
    // The status names them too.
  }
}

config::LoadOutcome load(PluginState& state, std::int64_t now, const char* file_name,
                         config::Take take = config::Take::whole) {
  try {
    return config::load_configuration(state.tables, state.log, now, file_name, take);
  } catch (...) {
    record(state, now, config::Refusal{"unknown error", {}, {}});
    throw;
  }
}

// The tables are in: what remains is bookkeeping, which cannot undo the load.
std::size_t digest_of(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }

void take_in_force(PluginState& state, config::LoadOutcome& outcome, std::int64_t now) noexcept {
  state.in_force = true;
  state.applied_file_digest = digest_of(outcome.bytes);
  state.diagnostics.swap(outcome.diagnostics);
  schedule_announcements(state.tables, now);
  try {
    report_applied(state, now);
  } catch (...) {
    // The report is for the admin; the load has applied all the same.
  }
}

}  // namespace

PluginState& plugin_state() noexcept {
  static PluginState state;
  return state;
}

namespace {

LoadResult load_config(config::Take take) {
  PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  config::LoadOutcome outcome = load(state, now, config::kConfigFileName, take);
  record(state, now, outcome.refusal, outcome.file_missing);
  if (outcome.salvaged) {
    if (state.last_load) state.last_load->salvaged = true;
    log_refusal(*outcome.refusal);
    log_held(state);
    take_in_force(state, outcome, now);
    return {std::move(outcome.refusal), state.diagnostics.size(), false, true};
  }
  if (!outcome.applied()) return {std::move(outcome.refusal), 0, outcome.file_missing};
  take_in_force(state, outcome, now);
  keep_last_good(outcome.bytes, now);
  return {std::nullopt, state.diagnostics.size(), false};
}

}  // namespace

LoadResult LoadConfig() { return load_config(config::Take::whole); }

LoadResult load_at_start() { return load_config(config::Take::salvage); }

LoadResult load_last_good(const config::Refusal& refused, std::int64_t written) {
  PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  config::LoadOutcome outcome =
      load(state, now, config::kLastGoodFileName, config::Take::while_holding);
  if (outcome.all_past) {
    if (state.last_load) state.last_load->earlier_copy_written = written;
    return {std::nullopt, 0, false, false, true};
  }
  if (!outcome.applied()) return {std::move(outcome.refusal), 0, outcome.file_missing};
  record(state, now, refused, false, written);
  take_in_force(state, outcome, now);
  state.applied_file_digest = 0;
  return {std::nullopt, state.diagnostics.size(), false};
}

std::size_t held_back_now(const config::DelayTables& tables, std::int64_t now) {
  return held_back_in(tables.riding.table, now) + held_back_in(tables.taming.table, now);
}

std::vector<config::DelayEntry> gate_entries(const config::DelayTables& tables, Gate gate) {
  const config::ListTable& list = tables.of(gate);
  std::vector<config::DelayEntry> entries;
  list.table.for_each([&](std::int32_t slot, std::u16string_view key, std::int64_t unlock_time) {
    entries.push_back({host::encode_utf8(key), hours_of(unlock_time, tables.wipe_timestamp),
                       unlock_time, std::string(config::display_name_at(list.names, slot)),
                       list.mod_classes.contains(slot)});
  });
  config::sort_by_unlock(entries);
  return entries;
}

std::optional<std::string> file_not_in_force(const PluginState& state,
                                             std::string_view disk_bytes) {
  if (!state.in_force || !state.last_load) {
    return "no configuration is in force; load config.json with Quellwarden.reload first";
  }
  if (state.last_load->fallback_written) {
    return "the last good copy is in force, since config.json was refused at start; fix "
           "config.json and run Quellwarden.reload first";
  }
  if (state.last_load->salvaged) {
    return "config.json was refused at start and only what reads of it is in force; fix "
           "config.json and run Quellwarden.reload first";
  }
  if (!state.last_load->ok()) {
    return "the last reload of config.json failed, so it is not the file in force; fix it and run "
           "Quellwarden.reload first";
  }
  if (digest_of(disk_bytes) != state.applied_file_digest) {
    return "config.json has changed since it was loaded; run Quellwarden.reload first";
  }
  return std::nullopt;
}

// A file of thousands of mistakes must not bury the log at every load, nor the status.
std::vector<std::string> warning_lines(const PluginState& state,
                                       fmt::format_string<std::string> format) {
  const std::vector<config::Diagnostic>& warnings = state.diagnostics;
  const std::size_t shown = std::min(warnings.size(), config::kMostWarningsShown);
  std::vector<std::string> lines;
  for (std::size_t index = 0; index < shown; ++index) {
    lines.push_back(fmt::format(format, printable(warnings[index].text)));
  }
  if (shown < warnings.size()) {
    lines.push_back(fmt::format(config::kMoreWarnings, warnings.size() - shown));
  }
  return lines;
}

void log_refusal(const config::Refusal& refusal) {
  const PluginLog& log = plugin_state().log;
  log.error_text(refusal.text);
  for (const std::string& hint : refusal.hints) log.error_text(hint);
}

}  // namespace quellwarden
