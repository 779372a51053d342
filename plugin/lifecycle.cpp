// The load and unload sequences. Every host interface is asked for anew before each use, and
// every step is attempted even when one before it failed: a failure is logged, never fatal.
#include "plugin/lifecycle.h"

#include <exception>
#include <string>

#include "host/asa_api.h"
#include "host/fstring.h"
#include "plugin/gates.h"
#include "plugin/plugin_state.h"
#include "plugin/reload_commands.h"

namespace quellwarden {
namespace {

// Runs `step`, which answers whether the host accepted it. A refusal or an exception is logged
// as `what_failed()`, with the exception's text after a colon; the sequence goes on either way.
template <typename Describe, typename Step>
void attempt(Describe&& what_failed, Step&& step) noexcept {
  const PluginLog& log = plugin_state().log;
  try {
    try {
      if (!step()) {
        log.error_text(what_failed());
      }
    } catch (const std::exception& error) {
      log.error("{}: {}", what_failed(), error.what());
    } catch (...) {
      log.error("{}: unknown error", what_failed());
    }
  } catch (...) {
    // Logging itself failed (exhausted memory): nothing is left to tell.
  }
}

void create_log() {
  attempt([] { return std::string("Quellwarden load failed"); },
          [] {
            plugin_state().log.create("Quellwarden");
            return true;
          });
}

// A configuration that fails at start is logged; the reload command still comes, to load the fix.
void load_configuration() {
  attempt([] { return std::string("Quellwarden load failed"); },
          [] {
            try {
              LoadConfig();
            } catch (const std::exception& error) {
              plugin_state().log.error_text(error.what());
            }
            return true;
          });
}

void install_hooks() {
  for (const GateHook& hook : gate_hooks()) {
    attempt(
        [&] {
          return "Failed to hook " + std::string(hook.signature) + "; " + hook.holds_back +
                 " is not held back";
        },
        [&] {
          return AsaApi::GetHooks().SetHook(std::string(hook.signature), hook.handler,
                                            hook.call_through);
        });
  }
}

void add_commands() {
  attempt([] { return std::string("Failed to add console command ") + kReloadCommand; },
          [] {
            AsaApi::GetCommands().AddConsoleCommand(FString(kReloadCommand),
                                                    AsaApi::ConsoleCallback(&console_reload));
            return true;
          });
  attempt([] { return std::string("Failed to add RCON command ") + kReloadCommand; },
          [] {
            AsaApi::GetCommands().AddRconCommand(FString(kReloadCommand),
                                                 AsaApi::RconCallback(&rcon_reload));
            return true;
          });
}

void remove_hooks() {
  for (const GateHook& hook : gate_hooks()) {
    attempt(
        [&] { return "Failed to remove hook " + std::string(hook.signature); },
        [&] { return AsaApi::GetHooks().RemoveHook(std::string(hook.signature), hook.handler); });
  }
}

void remove_commands() {
  attempt([] { return std::string("Failed to remove console command ") + kReloadCommand; },
          [] { return AsaApi::GetCommands().RemoveConsoleCommand(FString(kReloadCommand)); });
  attempt([] { return std::string("Failed to remove RCON command ") + kReloadCommand; },
          [] { return AsaApi::GetCommands().RemoveRconCommand(FString(kReloadCommand)); });
}

}  // namespace

void process_attach() noexcept {
  create_log();
  load_configuration();
  install_hooks();
  add_commands();
}

void process_detach() noexcept {
  remove_hooks();
  remove_commands();
}

}  // namespace quellwarden
