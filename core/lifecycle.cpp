// The load and unload sequences. Every host interface is asked for anew before each use.
#include "core/lifecycle.h"

#include <exception>
#include <string>

#include "config/loader.h"
#include "config/reload_commands.h"
#include "core/gates.h"
#include "host/asa_api.h"
#include "host/fstring.h"
#include "log/plugin_log.h"

namespace quellwarden {
namespace {

void load_configuration_at_start() {
  try {
    LoadConfig();
  } catch (const std::exception& error) {
    log_error_text(error.what());
  }
}

void install_hooks() {
  for (const GateHook& hook : gate_hooks()) {
    AsaApi::GetHooks().SetHook(std::string(hook.signature), hook.handler, hook.call_through);
  }
}

void add_commands() {
  AsaApi::GetCommands().AddConsoleCommand(FString(kReloadCommand),
                                          AsaApi::ConsoleCallback(&console_reload));
  AsaApi::GetCommands().AddRconCommand(FString(kReloadCommand), AsaApi::RconCallback(&rcon_reload));
}

void load_sequence() {
  std::shared_ptr<spdlog::logger>& log = plugin_log_handle();
  create_plugin_log(log, "Quellwarden");
  load_configuration_at_start();
  install_hooks();
  add_commands();
}

void unload_sequence() {
  for (const GateHook& hook : gate_hooks()) {
    AsaApi::GetHooks().RemoveHook(std::string(hook.signature), hook.handler);
  }
  AsaApi::GetCommands().RemoveConsoleCommand(FString(kReloadCommand));
  AsaApi::GetCommands().RemoveRconCommand(FString(kReloadCommand));
}

// Runs a sequence so that nothing escapes into the system's loader. What the sequence itself
// could not handle (exhausted memory, a host that throws) is said where the host can see it, if
// the log exists, and the plugin carries on.
void run_guarded(const char* sequence, void (*steps)()) noexcept {
  const auto report = [sequence](const char* what) noexcept {
    try {
      log_error_text(std::string(sequence) + " failed: " + what);
    } catch (...) {
    }
  };
  try {
    steps();
  } catch (const std::exception& error) {
    report(error.what());
  } catch (...) {
    report("unknown error");
  }
}

}  // namespace

void process_attach() noexcept { run_guarded("Quellwarden load", &load_sequence); }

void process_detach() noexcept { run_guarded("Quellwarden unload", &unload_sequence); }

}  // namespace quellwarden
