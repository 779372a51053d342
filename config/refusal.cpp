// A refusal's hints as the plugin's log line and replies give them.
#include "config/refusal.h"

namespace quellwarden::config {

std::string hint_line(const Refusal& refusal) {
  std::string line;
  for (const std::string& hint : refusal.hints) line += (line.empty() ? "" : "; ") + hint;
  return line;
}

}  // namespace quellwarden::config
