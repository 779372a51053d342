// The command line: quellwarden-check [CONFIG] [--wipe DATE] [--now TIME|wipe] [--json] [--strict]
// [--version], or quellwarden-check --classes [TEXT].
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/vocabulary.h"

namespace quellwarden::check {

struct Options {
  std::string config_path = config::config_path_text();
  std::optional<std::int64_t> now;   // the system clock when absent
  bool now_at_wipe = false;          // --now wipe: the wipe the file gives
  std::optional<std::int64_t> wipe;  // --wipe: the wipe the file must give
  bool json = false;
  bool strict = false;  // a file that loads but has warnings fails too
  bool help = false;
  bool version = false;
  std::optional<std::string> classes;  // --classes: list the game's classes holding this text
};

struct ParsedArguments {
  Options options;
  std::string error;  // what is wrong with the arguments; empty when they are fine
};

ParsedArguments parse_arguments(std::span<const std::string_view> arguments);

// The help text, ending in a newline.
std::string usage_text();

}  // namespace quellwarden::check
