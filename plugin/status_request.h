// What "Quellwarden.status" is asked for: lines or JSON, and which classes, so that a server with
// long lists can answer a bot in one RCON packet.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/config_reader.h"

namespace quellwarden {

struct StatusRequest {
  bool json = false;
  bool locked_only = false;  // only what is held back now
  bool seen = false;         // the classes the gates met instead of what is held back
  bool next = false;         // only the next unlock of each gate
  std::string text;          // only class names that hold it, ASCII case ignored; empty: any

  [[nodiscard]] bool filters() const noexcept { return locked_only || !text.empty(); }
  [[nodiscard]] bool admits(const config::DelayEntry& entry, std::int64_t now) const;
  [[nodiscard]] bool names(std::string_view class_name) const;  // holds the text, if any
  // The one line that says a filter matched no class.
  [[nodiscard]] std::string nothing_matches() const;
};

// The words after the command name, UTF-8: "json", "locked", "seen" and "next" in any letter case,
// anything else the text a class name must hold (several words: all of them, blanks between).
StatusRequest status_request(std::string_view command_line);

}  // namespace quellwarden
