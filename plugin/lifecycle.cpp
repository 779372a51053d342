// The load and unload sequences. Every host interface is asked for anew before each use, and
// every step is attempted even when one before it failed: a failure is logged, never fatal.
#include "plugin/lifecycle.h"

#include <fmt/format.h>

#include <array>
#include <exception>
#include <string>

#include "config/version.h"
#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "host/fstring.h"
#include "host/game_functions.h"
#include "plugin/attempt.h"
#include "plugin/gates.h"
#include "plugin/plugin_state.h"
#include "plugin/reload_commands.h"
#include "plugin/status_command.h"
#include "plugin/unlocks_command.h"

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

// A configuration that fails at start is logged; the reload command still comes, to load the fix.
void load_configuration() {
  attempt([] { return std::string(config::kLoadFailed); },
          [] {
            const LoadResult result = LoadConfig();
            if (result.refusal) log_refusal(*result.refusal);
            return true;
          });
}

void install_hooks() {
  for (const GateHook& hook : gate_hooks()) {
    attempt([&] { return fmt::format(config::kHookFailed, hook.signature, hook.holds_back); },
            [&] {
              return AsaApi::GetHooks().SetHook(std::string(hook.signature), hook.handler,
                                                hook.call_through);
            });
  }
}

// Each command exists on the console and over RCON, added in this order.
struct Command {
  const char* name;
  void (*console)(APlayerController*, FString*, bool);
  void (*rcon)(RCONClientConnection*, RCONPacket*, UWorld*);
};
constexpr std::array<Command, 2> kCommands{{
    {config::kReloadCommand, &console_reload, &rcon_reload},
    {config::kStatusCommand, &console_status, &rcon_status},
}};

void add_commands() {
  for (const Command& command : kCommands) {
    attempt([&] { return fmt::format(config::kAddCommandFailed, "console", command.name); },
            [&] {
              AsaApi::GetCommands().AddConsoleCommand(
                  FString(command.name),
                  AsaApi::ConsoleCallback(guarded(command.name, command.console)));
              return true;
            });
    attempt([&] { return fmt::format(config::kAddCommandFailed, "RCON", command.name); },
            [&] {
              AsaApi::GetCommands().AddRconCommand(
                  FString(command.name), AsaApi::RconCallback(guarded(command.name, command.rcon)));
              return true;
            });
  }
}

void remove_hooks() {
  for (const GateHook& hook : gate_hooks()) {
    attempt(
        [&] { return fmt::format(config::kRemoveHookFailed, hook.signature); },
        [&] { return AsaApi::GetHooks().RemoveHook(std::string(hook.signature), hook.handler); });
  }
}

void remove_commands() {
  for (const Command& command : kCommands) {
    attempt([&] { return fmt::format(config::kRemoveCommandFailed, "console", command.name); },
            [&] { return AsaApi::GetCommands().RemoveConsoleCommand(FString(command.name)); });
    attempt([&] { return fmt::format(config::kRemoveCommandFailed, "RCON", command.name); },
            [&] { return AsaApi::GetCommands().RemoveRconCommand(FString(command.name)); });
  }
}

// Memory the game would not take back stays allocated rather than crash the server; the admin
// hears how much at unload, the last moment the log is sure to be there.
void report_blocks_left() noexcept {
  const std::uint64_t left = host::blocks_left_behind();
  if (left == 0) return;
  try {
    plugin_state().log.warn("the game would not take back {} blocks of memory; they were left",
                            left);
  } catch (...) {
    // Nothing more to tell with.
  }
}

}  // namespace

void process_attach() noexcept {
  create_log();
  load_configuration();
  install_hooks();
  add_commands();
  sync_chat_command();
}

void process_detach() noexcept {
  remove_hooks();
  remove_commands();
  remove_chat_command();
  report_blocks_left();
}

}  // namespace quellwarden
