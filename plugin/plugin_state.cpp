// The one PluginState. It needs no constructor to run; a local static ties its release to its
// first use, whatever the order of the plugin's source files.
#include "plugin/plugin_state.h"

namespace quellwarden {

PluginState& plugin_state() noexcept {
  static PluginState state;
  return state;
}

config::LoadOutcome LoadConfig() {
  PluginState& state = plugin_state();
  return config::load_configuration(state.tables, state.log);
}

}  // namespace quellwarden
