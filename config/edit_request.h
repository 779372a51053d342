// What an admin's edit command asks of config.json: "Quellwarden.setwipe now|DATE|UNIX",
// "Quellwarden.shift +N<h|m|d>|-N<h|m|d>", "Quellwarden.delay CLASS HOURS [taming|riding]",
// "Quellwarden.unlock CLASS [taming|riding]".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "config/vocabulary.h"

namespace quellwarden::config {

// The wipe at `unix_seconds`; written as `date_text` when the admin gave a date, else as a number.
struct SetWipe {
  std::int64_t unix_seconds = 0;
  std::string date_text;
};
// The wipe, and so every unlock, moved by `seconds`.
struct ShiftWipe {
  std::int64_t seconds = 0;
};
// "HoursToDelay" of `class_name` in each list of `lists`, the entry added where there is none.
struct SetHours {
  std::string class_name;
  std::int64_t hours = 0;
  std::vector<std::string_view> lists;  // kDisallowRiding, kDisallowTaming
};
// The entries of `class_name` removed from each list of `lists` that has one.
struct RemoveClass {
  std::string class_name;
  std::vector<std::string_view> lists;
};
using EditRequest = std::variant<SetWipe, ShiftWipe, SetHours, RemoveClass>;

// The edit commands' names, in the order they are added.
inline constexpr std::string_view kEditCommands[] = {kSetWipeCommand, kShiftCommand, kDelayCommand,
                                                     kUnlockCommand};

// The request in `command_line` (the command's name, then its words; UTF-8), `now` standing for
// "now"; or why it is none, with the command's usage.
std::variant<EditRequest, std::string> read_edit_request(std::string_view command_line,
                                                         std::int64_t now);

}  // namespace quellwarden::config
