// The one writer of PluginState::gates_installed.
#include "plugin/gate_hooks.h"

#include <fmt/format.h>

#include <string>

#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "plugin/attempt.h"
#include "plugin/gates.h"
#include "plugin/plugin_state.h"

namespace quellwarden {

bool gate_in_place(Gate gate) noexcept { return plugin_state().gates_installed[index_of(gate)]; }

void install_missing_gates() noexcept {
  auto& installed = plugin_state().gates_installed;
  for (std::size_t index = 0; index < gate_hooks().size(); ++index) {
    if (installed[index]) continue;
    const GateHook& hook = gate_hooks()[index];
    installed[index] =
        attempt([&] { return fmt::format(config::kHookFailed, hook.signature, kHeldBack[index]); },
                [&] {
                  return AsaApi::GetHooks().SetHook(std::string(hook.signature), hook.handler,
                                                    hook.call_through);
                });
  }
}

// A hook the host would not remove may still be in place, so it stays marked as such.
void remove_gates() noexcept {
  auto& installed = plugin_state().gates_installed;
  for (std::size_t index = 0; index < gate_hooks().size(); ++index) {
    if (!installed[index]) continue;
    const GateHook& hook = gate_hooks()[index];
    installed[index] = !attempt(
        [&] { return fmt::format(config::kRemoveHookFailed, hook.signature); },
        [&] { return AsaApi::GetHooks().RemoveHook(std::string(hook.signature), hook.handler); });
  }
}

}  // namespace quellwarden
