// The configuration file's bytes, or why they cannot be had.
#pragma once

#include <optional>
#include <string>

namespace quellwarden::check {

struct ConfigFile {
  std::optional<std::string> text;
  std::string problem;  // set when text is absent: "No such file or directory", "is a directory"
};

// The file a path given on the command line stands for: a server folder (or the plugin's own
// folder) stands for the configuration file inside it, anything else for itself.
std::string config_file_path(const std::string& given);

ConfigFile read_config_file(const std::string& path);

}  // namespace quellwarden::check
