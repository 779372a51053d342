// Asked only on a refusal's path, so a gate that lets a call through never asks the host who the
// player is. A host that cannot tell keeps the refusal: the list opens gates, so doubt keeps them.
#include "plugin/bypass.h"

#include <algorithm>
#include <string>

#include "host/game_functions.h"
#include "host/utf8.h"
#include "plugin/plugin_state.h"

namespace quellwarden {
namespace {

std::string unique_id_of(APlayerController* controller) {
  FString id;
  // The game's player controller begins with the engine's, so the address is the same.
  host::call<host::game::unique_id_of_player>(
      reinterpret_cast<AShooterPlayerController*>(controller), id);
  return host::encode_utf8(id.view());
}

}  // namespace

bool bypasses(APlayerController* controller) noexcept {
  PluginState& state = plugin_state();
  std::string id;
  try {
    id = unique_id_of(controller);
  } catch (...) {
    return false;
  }
  const std::vector<std::string>& listed = state.tables.bypass;
  if (id.empty() || !std::binary_search(listed.begin(), listed.end(), id)) return false;
  try {
    ++state.bypass_skips[id];
  } catch (...) {
    // The pass stands; only its count is lost.
  }
  return true;
}

}  // namespace quellwarden
