// "Quellwarden.status next": per gate, the class the plugin releases next, as one line each for a
// bot to post in a channel, or as JSON. Imprinting follows taming and needs no line of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/plugin_state.h"
#include "plugin/status_request.h"

namespace quellwarden {

// Only classes whose name holds the request's text; its other keywords are not read here.
std::vector<std::string> next_unlock_lines(const PluginState& state, std::int64_t now,
                                           const StatusRequest& request);
std::string next_unlock_json(const PluginState& state, std::int64_t now,
                             const StatusRequest& request);

}  // namespace quellwarden
