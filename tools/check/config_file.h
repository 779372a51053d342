// The configuration file's bytes, or why they cannot be had.
#pragma once

#include <string>

#include "config/file_bytes.h"

namespace quellwarden::check {

// The file a path given on the command line stands for: a server folder (or the plugin's own
// folder) stands for the configuration file inside it, anything else for itself.
std::string config_file_path(const std::string& given);

// The file's bytes as the plugin would read them, or why there are none.
config::FileBytes read_config_file(const std::string& path);

}  // namespace quellwarden::check
