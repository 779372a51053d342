// The load and unload sequences. Every host interface is asked for anew before each use, and
// every step is attempted even when one before it failed: a failure is logged, never fatal.
#include "plugin/lifecycle.h"

#include <array>
#include <string>

#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "host/fstring.h"
#include "host/game_functions.h"
#include "plugin/admin_commands.h"
#include "plugin/announcements.h"
#include "plugin/attempt.h"
#include "plugin/gate_hooks.h"
#include "plugin/gates.h"
#include "plugin/kept_name.h"
#include "plugin/last_good.h"
#include "plugin/plugin_state.h"
#include "plugin/registration.h"
#include "plugin/unlocks_command.h"
#include "version.h"

namespace quellwarden {
namespace {

void create_log() {
  attempt([] { return std::string(config::kLoadFailed); },
          [] {
            plugin_state().log.create(config::kPluginLogName);
            plugin_state().log.info(config::kVersionLine, kVersion);
            return true;
          });
}

// A configuration that fails at start is logged. What reads of it applies, its wrong entries held
// back; else the last good one applies in its place, while it holds anything back; the reload
// command still comes, to load the fix. A file that is not there at all was removed on purpose, so
// nothing stands in for it.
void load_configuration() {
  attempt([] { return std::string(config::kLoadFailed); },
          [] {
            const LoadResult result = load_at_start();
            if (result.refusal && !result.salvaged) {
              log_refusal(*result.refusal);
              if (!result.file_missing) fall_back_to_last_good(*result.refusal);
            }
            return true;
          });
}

// Each command exists on the console and over RCON, added in this order.
struct Command {
  const char* name;
  void (*console)(APlayerController*, FString*, bool);
  void (*rcon)(RCONClientConnection*, RCONPacket*, UWorld*);
};
constexpr std::array<Command, 6> kCommands{{
    {config::kReloadCommand, &console_reload, &rcon_reload},
    {config::kStatusCommand, &console_status, &rcon_status},
    {config::kSetWipeCommand, &console_edit, &rcon_edit},
    {config::kShiftCommand, &console_edit, &rcon_edit},
    {config::kDelayCommand, &console_edit, &rcon_edit},
    {config::kUnlockCommand, &console_edit, &rcon_edit},
}};

// Kept from the load until the unload has removed the commands; a command the host refused is not
// asked to be removed.
struct AddedCommand {
  KeptName name;
  bool on_console = false;
  bool over_rcon = false;
};
std::array<AddedCommand, kCommands.size()>& added_commands() {
  static std::array<AddedCommand, kCommands.size()> added;
  return added;
}

void add_commands() {
  for (std::size_t index = 0; index < kCommands.size(); ++index) {
    const Command& command = kCommands[index];
    AddedCommand& added = added_commands()[index];
    added.on_console =
        add_registration("console command", added.name, command.name, [&](const FString& name) {
          AsaApi::GetCommands().AddConsoleCommand(
              name, AsaApi::ConsoleCallback(guarded(command.name, command.console)));
        });
    added.over_rcon =
        add_registration("RCON command", added.name, command.name, [&](const FString& name) {
          AsaApi::GetCommands().AddRconCommand(
              name, AsaApi::RconCallback(guarded(command.name, command.rcon)));
        });
  }
}

void remove_commands() {
  for (AddedCommand& added : added_commands()) {
    if (added.on_console) {
      remove_registration("console command", added.name, [](const FString& name) {
        return AsaApi::GetCommands().RemoveConsoleCommand(name);
      });
    }
    if (added.over_rcon) {
      remove_registration("RCON command", added.name, [](const FString& name) {
        return AsaApi::GetCommands().RemoveRconCommand(name);
      });
    }
    added.name.forget();
    added.on_console = added.over_rcon = false;
  }
}

// Memory the game would not take back stays allocated rather than crash the server; the admin
// hears how much at unload, the last moment the log is sure to be there.
void report_blocks_left() noexcept {
  const std::uint64_t left = host::blocks_left_behind();
  if (left == 0) return;
  try {
    plugin_state().log.warn(config::kBlocksLeftBehind, left);
  } catch (...) {
    // Nothing more to tell with.
  }
}

}  // namespace

void process_attach() noexcept {
  create_log();
  load_configuration();
  install_missing_gates();
  add_commands();
  sync_chat_command();
  sync_announcement_timer();
}

void process_detach() noexcept {
  remove_gates();
  remove_commands();
  remove_chat_command();
  remove_announcement_timer();
  report_blocks_left();
}

}  // namespace quellwarden
