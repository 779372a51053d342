// The stand-in server the benchmarks run in: a scratch working directory for the configuration
// file, the plugin log on a host without sinks, the plugin's gates hooked in, and the stand-in's
// own books off.
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

// The plugin log and the three gate hooks, set up once for the whole run, the first call deciding
// whether the stand-in keeps its books (standin::keep_books). No real host keeps them, so the
// measurements run without them unless asked. The game's own functions stay as the stand-in has
// them, records of their calls included: they stand for the game's work.
void start_plugin(bool books = false);

}  // namespace bench
