// The one PluginState. It needs no constructor to run; a local static ties its release to its
// first use, whatever the order of the plugin's source files.
#include "plugin/plugin_state.h"

#include <exception>

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

}  // namespace

PluginState& plugin_state() noexcept {
  static PluginState state;
  return state;
}

config::LoadOutcome LoadConfig() {
  PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  try {
    config::LoadOutcome outcome = config::load_configuration(state.tables, state.log, now);
    state.last_load = LoadRecord{now, outcome.applied(), outcome.failure.value_or("")};
    if (outcome.applied()) {
      state.in_force = true;
      state.diagnostics = outcome.diagnostics;
      report_applied(state, now);
    }
    return outcome;
  } catch (const std::exception& error) {
    state.last_load = LoadRecord{now, false, error.what()};
    throw;
  }
}

}  // namespace quellwarden
