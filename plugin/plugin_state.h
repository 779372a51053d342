// The plugin's process-wide state shared across its files: what a load applies, what the latest
// load attempt said, what the gates count, and the plugin log; each member names its one writer.
// The census and the gates' call-through pointers live in gates.cpp, the added console and RCON
// commands in lifecycle.cpp, beside the only code that writes them. Not thread-safe: the host runs
// gates and commands one at a time.
#pragma once

#include <fmt/format.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/loader.h"
#include "core/announcement_schedule.h"
#include "log/plugin_log.h"
#include "plugin/kept_name.h"
#include "plugin/notice_cooldown.h"

namespace quellwarden {

struct LoadRecord {
  std::int64_t time = 0;                   // Unix seconds of the attempt
  std::optional<config::Refusal> refusal;  // why config.json was refused; absent when it applied
  // When config.json was refused at start and the last good copy applied instead: when the copy
  // was written (Unix seconds).
  std::optional<std::int64_t> fallback_written;
  // config.json was refused at start and what reads of it applied (tables.held_until_fixed: the
  // rest).
  bool salvaged = false;
  // config.json was refused at start and the last good copy, written then, was not applied: every
  // unlock in it is past.
  std::optional<std::int64_t> earlier_copy_written;
  bool file_missing = false;  // refused because there is no config.json at all
  [[nodiscard]] bool ok() const noexcept { return !refusal; }
};

// Each member has one writer, named where it is declared; any file may read.
struct PluginState {
  // The tables and the wipe they were computed from; the riding table is released last. Written by
  // the loads (plugin_state.cpp), which swap a whole new set in.
  config::DelayTables tables;
  // Whether any load has applied; until then nothing is held back. Written by the loads.
  bool in_force = false;
  // A digest of config.json's bytes as the load in force applied them; 0 when what is in force is
  // not config.json. Written by the loads.
  std::size_t applied_file_digest = 0;
  // What the configuration in force says that is valid but almost surely a mistake. Written by the
  // loads.
  std::vector<config::Diagnostic> diagnostics;
  // The latest load attempt. Written by the loads.
  std::optional<LoadRecord> last_load;
  // Gate decisions left to the game because the host failed the gate (a name it could not
  // resolve, an exception from a host call). Written by the gates (gates.cpp).
  std::uint64_t host_failures = 0;
  // How many refusals each id of the bypass list has skipped since start, by id. Written by the
  // bypass (bypass.cpp).
  std::map<std::string, std::uint64_t, std::less<>> bypass_skips;
  // Which gates' hooks the host has in place, by Gate: a gate not in place holds nothing back.
  // Written by the hook installation (gate_hooks.cpp).
  std::array<bool, kGateCount> gates_installed{};
  // The refusal notices sent lately. Written by the notices (refusal_notices.cpp).
  NoticeCooldown notice_cooldown;
  // When each player was last answered by the chat command. Written by the command
  // (unlocks_command.cpp).
  NoticeCooldown chat_cooldown;
  // The players' chat command registered now (no text: none). Written by its registration
  // (unlocks_command.cpp).
  KeptName chat_command;
  // What to announce to every player, and when: rebuilt after each load that applies, walked by
  // the host's timer. Written by the announcements (announcements.cpp).
  AnnouncementSchedule announcement_schedule;
  // The announcements' timer registered now (no text: none). Written by its registration
  // (announcements.cpp).
  KeptName announcement_timer;
  // Declared last, so it is released first at shutdown, before the tables. Created by the load
  // sequence (lifecycle.cpp).
  PluginLog log;
};

// The one instance. Its first use is the first step of the load sequence, so it is released only
// after the unload sequence has run: members in reverse order, the log, then taming, then riding.
PluginState& plugin_state() noexcept;

// What one load attempt came to, for whoever asked for it.
struct LoadResult {
  std::optional<config::Refusal> refusal;  // absent when the load applied
  std::size_t warnings = 0;                // diagnostics of the configuration it applied
  bool file_missing = false;               // refused because there is no file at all
  bool salvaged = false;                   // refused, yet what reads of it applied
  bool all_past = false;                   // a last good copy not applied: every unlock is past
  [[nodiscard]] bool applied() const noexcept { return !refusal && !all_past; }
};

// Loads config.json into the plugin's state (see config::load_configuration), records the attempt,
// and after a load that applies logs what is now in force and keeps a copy of the file as the last
// good configuration; its diagnostics move into the state. Nothing after the tables are swapped in
// can undo or fail the load. A refusal is returned, not logged: the caller logs it with
// log_refusal() where its order with a reply says.
LoadResult LoadConfig();

// LoadConfig() at start: of a config.json refused only for some entries, the rest applies and
// those entries are held back until it is fixed; then the refusal is logged here, each held entry
// after it at error level, and the result is both refused and salvaged.
LoadResult load_at_start();

// Loads the last good copy, written at `written`, in place of config.json, which was refused for
// `refused`, but only while it still holds something back; when it applies, the record says both.
// A refusal of the copy is returned, unlogged; a copy whose every unlock is past is not applied,
// and the record and the log say so.
LoadResult load_last_good(const config::Refusal& refused, std::int64_t written);

// The one place a refused load is logged: its text, as it stands, at error level, then each place
// and hint the checker gives, one error line each.
void log_refusal(const config::Refusal& refusal);

// How many classes `tables` hold back at `now`, both lists counted.
std::size_t held_back_now(const config::DelayTables& tables, std::int64_t now);

// The entries of the list `gate` reads, as every answer lists them: by unlock time, then class
// name, so the next class to be released comes first.
std::vector<config::DelayEntry> gate_entries(const config::DelayTables& tables, Gate gate);

// Why config.json as it stands on disk (`disk_bytes`) is not the file in force, so that an edit of
// it would not change only what the admin asked: no load applied, the last good copy or a salvage
// applied in its place, a reload failed since the last one that applied, or the file changed
// since. Nothing when it is the file in force.
std::optional<std::string> file_not_in_force(const PluginState& state, std::string_view disk_bytes);

// The warnings of what is in force, printable, each in `format`: at most kMostWarningsShown, then
// one line that counts the rest.
std::vector<std::string> warning_lines(const PluginState& state,
                                       fmt::format_string<std::string> format);

}  // namespace quellwarden
