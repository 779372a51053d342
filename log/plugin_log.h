// The plugin's one logger, named "Quellwarden", writing into the host's own log sinks.
#pragma once

#include <spdlog/logger.h>

#include <memory>
#include <string>
#include <string_view>

namespace quellwarden {

// The process-wide handle. Made empty at its first use; released when the library shuts down.
std::shared_ptr<spdlog::logger>& plugin_log_handle();

// Fills `handle` with a logger on a copy of the host's sink list as it is now, in the plugin's
// line layout, flushing after every line.
void create_plugin_log(std::shared_ptr<spdlog::logger>& handle, const std::string& name);

// Writes `text` at error level as it stands: braces in it are not a pattern.
void log_error_text(std::string_view text);

}  // namespace quellwarden
