// The command line: quellwarden-check [CONFIG] [--now UNIX] [--json].
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quellwarden::check {

struct Options {
  std::string config_path = "ArkApi/Plugins/Quellwarden/config.json";
  std::optional<std::int64_t> now;  // the system clock when absent
  bool json = false;
  bool help = false;
};

struct ParsedArguments {
  Options options;
  std::string error;  // what is wrong with the arguments; empty when they are fine
};

ParsedArguments parse_arguments(std::span<const std::string_view> arguments);

// The help text, ending in a newline.
std::string usage_text();

}  // namespace quellwarden::check
