// The one PluginState. It needs no constructor to run; a local static ties its release to its
// first use, whatever the order of the plugin's source files.
#include "plugin/plugin_state.h"

#include <exception>

#include "config/time_text.h"
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
  state.log.info("Loaded config: wipe {}, {} riding and {} taming classes, {} held back now",
                 utc_text(tables.wipe_timestamp), tables.riding.element_count(),
                 tables.taming.element_count(),
                 held_back_now(tables.riding, now) + held_back_now(tables.taming, now));
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
    config::LoadOutcome outcome = config::load_configuration(state.tables, state.log);
    state.last_load = LoadRecord{now, outcome.applied(), outcome.failure.value_or("")};
    if (outcome.applied()) {
      state.in_force = true;
      report_applied(state, now);
    }
    return outcome;
  } catch (const std::exception& error) {
    state.last_load = LoadRecord{now, false, error.what()};
    throw;
  }
}

}  // namespace quellwarden
