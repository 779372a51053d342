// "Quellwarden.status seen": the classes the gates have met since start with their calls by gate,
// then the listed classes no creature has met, as lines for admins and as JSON for bots. How an
// admin learns what the game really calls a mod's creature: try to tame it, then ask.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/class_census.h"
#include "plugin/plugin_state.h"
#include "plugin/status_request.h"

namespace quellwarden {

// Only the classes whose name holds the request's text; its other keywords are not read here.
std::vector<std::string> census_lines(const ClassCensus& census, const PluginState& state,
                                      const StatusRequest& request);
std::string census_json(const ClassCensus& census, const PluginState& state, std::int64_t now,
                        const StatusRequest& request);

}  // namespace quellwarden
