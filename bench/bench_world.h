// The stand-in server the benchmarks run in: a scratch working directory for the configuration
// file, the plugin log on a host without sinks, and the plugin's gates hooked in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace bench {

// Unix seconds by the system clock, as the gates read it.
std::int64_t unix_now();

// Writes `text` as the plugin's configuration file below the scratch working directory (made,
// and entered, on first use) and returns the file's path.
std::filesystem::path write_config(const std::string& text);

// The plugin log and the three gate hooks, set up once for the whole run.
void start_plugin();

}  // namespace bench
