// One step of the plugin at a door the host calls through. A refusal or an exception is logged,
// never passed on: nothing of the plugin unwinds into the host's or the game's own frames.
#pragma once

#include <exception>

#include "plugin/plugin_state.h"

namespace quellwarden {

// Runs `step`, which answers whether the host accepted it. A refusal is logged as
// `what_failed()`, an exception with its text after a colon. Answers whether the step succeeded.
template <typename Describe, typename Step>
bool attempt(Describe&& what_failed, Step&& step) noexcept {
  try {
    const PluginLog& log = plugin_state().log;
    try {
      if (step()) {
        return true;
      }
      log.error_text(what_failed());
    } catch (const std::exception& error) {
      log.error("{}: {}", what_failed(), error.what());
    } catch (...) {
      log.error("{}: unknown error", what_failed());
    }
  } catch (...) {
    // Logging itself failed (exhausted memory): nothing is left to tell.
  }
  return false;
}

// `callback` as the host may call it: what escapes it is logged as "NAME failed". Every console,
// RCON and chat callback and the timer's is registered through this, so none can let an exception
// reach the host.
template <typename... Args>
auto guarded(const char* name, void (*callback)(Args...)) {
  return [name, callback](Args... args) noexcept {
    attempt([name] { return std::string(name) + " failed"; },
            [&] {
              callback(args...);
              return true;
            });
  };
}

}  // namespace quellwarden
