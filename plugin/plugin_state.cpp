// The one PluginState. It needs no constructor to run; a local static ties its release to its
// first use, whatever the order of the plugin's source files.
#include "plugin/plugin_state.h"

#include "config/time_text.h"
#include "config/vocabulary.h"
#include "log/printable.h"
#include "plugin/clock.h"

namespace quellwarden {
namespace {

std::size_t held_back_now(const DelayTable& table, std::int64_t now) {
  std::size_t held = 0;
  table.for_each(
      [&](std::u16string_view, std::int64_t unlock_time) { held += unlock_time > now ? 1U : 0U; });
  return held;
}

void report_applied(const PluginState& state, std::int64_t now) {
  const config::DelayTables& tables = state.tables;
  state.log.info(config::kLoadedConfig, config::utc_text(tables.wipe_timestamp),
                 tables.riding.element_count(), tables.taming.element_count(),
                 held_back_now(tables.riding, now) + held_back_now(tables.taming, now));
  for (const config::Diagnostic& diagnostic : state.diagnostics) {
    state.log.warn("{}", printable(diagnostic.text));
  }
}

// Recording the attempt must not change its outcome: a record that cannot be made is left out.
void record(PluginState& state, std::int64_t now, bool ok, const std::string& error) noexcept {
  try {
    state.last_load = LoadRecord{now, ok, error};
  } catch (...) {
    state.last_load.reset();
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
  config::LoadOutcome outcome;
  try {
    outcome = config::load_configuration(state.tables, state.log, now);
  } catch (...) {
    record(state, now, false, "unknown error");
    throw;
  }
  record(state, now, outcome.applied(), outcome.applied() ? "" : outcome.refusal->text);
  if (!outcome.applied()) return {std::move(outcome.refusal), 0};
  state.in_force = true;
  state.diagnostics = std::move(outcome.diagnostics);
  try {
    report_applied(state, now);
  } catch (...) {
    // The report is for the admin; the load has applied all the same.
  }
  return {std::nullopt, state.diagnostics.size()};
}

void log_refusal(const config::Refusal& refusal) { plugin_state().log.error_text(refusal.text); }

}  // namespace quellwarden
