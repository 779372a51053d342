// The JSON shapes bots read, one for an entry, one for a diagnostic: the status and the checker
// both build theirs here, so the two cannot drift apart.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"

namespace quellwarden::config {

// {"class", "hours", "unlock", "locked", "seconds_left", "in_game_list"} judged at `now`, and
// "display_name" when the entry has one. "in_game_list" is false for a class that is not one of
// the game's own creatures as config/creature-classes.tsv lists them: a mod's, or a typo.
nlohmann::ordered_json entry_json(const DelayEntry& entry, std::int64_t now);
nlohmann::ordered_json entries_json(const std::vector<DelayEntry>& entries, std::int64_t now);

// {"code", "path", "text"}.
nlohmann::ordered_json diagnostics_json(const std::vector<Diagnostic>& diagnostics);

// {"cooldown_seconds", "taming", "imprinting", "riding", "chat_command"}.
nlohmann::ordered_json notices_json(const NoticeSettings& notices);

}  // namespace quellwarden::config
