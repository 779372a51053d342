// What the plugin holds back right now, read from its live state (never from the file): as lines
// for admins and as one JSON object for bots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/plugin_state.h"
#include "plugin/status_request.h"

namespace quellwarden {

// Only the classes `request` admits are listed (its `json` is not read here).
std::vector<std::string> status_lines(const PluginState& state, std::int64_t now,
                                      const StatusRequest& request = {});
std::string status_json(const PluginState& state, std::int64_t now,
                        const StatusRequest& request = {});

}  // namespace quellwarden
