// LoadConfig: the configuration file below the working directory becomes the wipe timestamp and
// the two delay tables, all at once or not at all.
#pragma once

#include <optional>
#include <string>

namespace quellwarden {

struct LoadOutcome {
  // What the loader logged when the file could not be opened or parsed; empty when applied.
  std::optional<std::string> failure;
  [[nodiscard]] bool applied() const noexcept { return !failure; }
};

// Reads ArkApi/Plugins/Quellwarden/config.json below the current directory. A file that cannot
// be opened or parsed is logged and reported in the outcome. Any other failure (the working
// directory unreadable, a member of the wrong type, a number out of range) is thrown. Whatever
// fails, the tables and the wipe timestamp stay as they were.
LoadOutcome LoadConfig();

}  // namespace quellwarden
