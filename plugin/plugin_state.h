// The plugin's process-wide state, as one object: what a load applies, what the latest load
// attempt said, what the gates count, and the plugin log. Not thread-safe: the host runs gates
// and commands one at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/loader.h"
#include "log/plugin_log.h"
#include "plugin/notice_cooldown.h"

namespace quellwarden {

struct LoadRecord {
  std::int64_t time = 0;  // Unix seconds of the attempt
  bool ok = false;
  std::string error;  // what the failure said; empty when it applied
};

struct PluginState {
  // The tables and the wipe they were computed from; the riding table is released last.
  config::DelayTables tables;
  // Whether any load has applied; until then nothing is held back.
  bool in_force = false;
  // What the configuration in force says that is valid but almost surely a mistake.
  std::vector<config::Diagnostic> diagnostics;
  std::optional<LoadRecord> last_load;
  // Gate decisions left to the game because the host failed the gate (a name it could not
  // resolve, an exception from a host call).
  std::uint64_t host_failures = 0;
  // The refusal notices sent lately, and the chat command registered now (empty: none).
  NoticeCooldown notice_cooldown;
  std::string chat_command;
  // Declared last, so it is released first at shutdown, before the tables.
  PluginLog log;
};

// The one instance. Its first use is the first step of the load sequence, so it is released only
// after the unload sequence has run: members in reverse order, the log, then taming, then riding.
PluginState& plugin_state() noexcept;

// What one load attempt came to, for whoever asked for it.
struct LoadResult {
  std::optional<config::Refusal> refusal;  // absent when the load applied
  std::size_t warnings = 0;                // diagnostics of the configuration it applied
  [[nodiscard]] bool applied() const noexcept { return !refusal; }
};

// Loads the configuration file into the plugin's state (see config::load_configuration), records
// the attempt, and after a load that applies logs what is now in force; its diagnostics move into
// the state. Nothing after the tables are swapped in can undo or fail the load. A refusal is
// returned, not logged: the caller logs it with log_refusal() where its order with a reply says.
LoadResult LoadConfig();

// The one place a refused load is logged: its text, as it stands, at error level.
void log_refusal(const config::Refusal& refusal);

}  // namespace quellwarden
