// Why the plugin refuses a configuration file: a value the loader returns, never thrown.
#pragma once

#include <string>
#include <vector>

namespace quellwarden::config {

// Member names from the top of the file down to a value; empty for the file as a whole.
using MemberPath = std::vector<std::string>;

struct Refusal {
  std::string text;  // exactly what the log and an RCON reply say, escaped (printable())
  MemberPath path;   // the member that made the file refused, where one did
  std::string hint;  // where, and what to write instead, as the checker adds it; may be empty
};

}  // namespace quellwarden::config
