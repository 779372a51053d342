// The one PluginState. It needs no constructor to run; a local static ties its release to its
// first use, whatever the order of the plugin's source files.
#include "plugin/plugin_state.h"

#include <algorithm>

#include "config/time_text.h"
#include "config/vocabulary.h"
#include "plugin/clock.h"
#include "plugin/last_good.h"
#include "text/printable.h"

namespace quellwarden {
namespace {

std::size_t held_back_now(const DelayTable& table, std::int64_t now) {
  std::size_t held = 0;
  table.for_each([&](std::int32_t, std::u16string_view, std::int64_t unlock_time) {
    held += unlock_time > now ? 1U : 0U;
  });
  return held;
}

void report_applied(const PluginState& state, std::int64_t now) {
  const config::DelayTables& tables = state.tables;
  state.log.info(config::kLoadedConfig, config::utc_text(tables.wipe_timestamp),
                 tables.riding.element_count(), tables.taming.element_count(),
                 held_back_now(tables.riding, now) + held_back_now(tables.taming, now));
  // A file of thousands of mistakes must not bury the log at every load.
  const std::vector<config::Diagnostic>& warnings = state.diagnostics;
  const std::size_t shown = std::min(warnings.size(), config::kMostWarningsShown);
  for (std::size_t index = 0; index < shown; ++index) {
    state.log.warn("{}", printable(warnings[index].text));
  }
  if (shown < warnings.size()) state.log.warn(config::kMoreWarnings, warnings.size() - shown);
}

// Recording the attempt must not change its outcome: a record that cannot be made is left out.
void record(PluginState& state, std::int64_t now, const std::optional<config::Refusal>& refusal,
            std::optional<std::int64_t> fallback_written = std::nullopt) noexcept {
  try {
    state.last_load = LoadRecord{now, refusal, fallback_written};
  } catch (...) {
    state.last_load.reset();
  }
}

config::LoadOutcome load(PluginState& state, std::int64_t now, const char* file_name) {
  try {
    return config::load_configuration(state.tables, state.log, now, file_name);
  } catch (...) {
    record(state, now, config::Refusal{"unknown error", {}, {}});
    throw;
  }
}

// The tables are in: what remains is bookkeeping, which cannot undo the load.
void take_in_force(PluginState& state, config::LoadOutcome& outcome, std::int64_t now) noexcept {
  state.in_force = true;
  state.diagnostics.swap(outcome.diagnostics);
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

LoadResult LoadConfig() {
  PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  config::LoadOutcome outcome = load(state, now, config::kConfigFileName);
  record(state, now, outcome.refusal);
  if (!outcome.applied()) return {std::move(outcome.refusal), 0, outcome.file_missing};
  take_in_force(state, outcome, now);
  keep_last_good(outcome.bytes, now);
  return {std::nullopt, state.diagnostics.size(), false};
}

LoadResult load_last_good(const config::Refusal& refused, std::int64_t written) {
  PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  config::LoadOutcome outcome = load(state, now, config::kLastGoodFileName);
  if (!outcome.applied()) return {std::move(outcome.refusal), 0, outcome.file_missing};
  record(state, now, refused, written);
  take_in_force(state, outcome, now);
  return {std::nullopt, state.diagnostics.size(), false};
}

void log_refusal(const config::Refusal& refusal) {
  const PluginLog& log = plugin_state().log;
  log.error_text(refusal.text);
  if (!refusal.hints.empty()) log.error_text(config::hint_line(refusal));
}

std::string refusal_line(const config::Refusal& refusal) {
  return refusal.hints.empty() ? refusal.text
                               : refusal.text + " (" + config::hint_line(refusal) + ")";
}

}  // namespace quellwarden
