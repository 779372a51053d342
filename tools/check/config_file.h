// The configuration file's bytes, or why they cannot be had.
#pragma once

#include <optional>
#include <string>

namespace quellwarden::check {

struct ConfigFile {
  std::optional<std::string> text;
  std::string problem;  // set when text is absent: "No such file or directory", "is a directory"
};

ConfigFile read_config_file(const std::string& path);

}  // namespace quellwarden::check
