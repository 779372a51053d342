// The sandbox's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quellwarden::sandbox {

struct Options {
  std::string workdir = ".";
  std::string plugin;  // empty: the one in the workdir's plugin folder, else the one built beside
  std::optional<std::int64_t> clock;
  std::optional<std::uint16_t> rcon_port;  // 0: any free port, printed at start
  std::string rcon_password;
  std::uint16_t rcon_auth_timeout = 10;  // seconds a connection has to send the password
  bool help = false;
  bool version = false;
};

// Throws std::invalid_argument with a message meant for the person who typed the command.
Options parse_options(const std::vector<std::string>& arguments);

// The --help text: options, the commands read from standard input and what they print.
std::string usage_text();

}  // namespace quellwarden::sandbox
