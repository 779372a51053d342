// What a configuration file comes to once read: the wipe, the entries of both lists and what
// players are told.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/notice_settings.h"

namespace quellwarden::config {

struct DelayEntry {
  std::string class_name;  // UTF-8, exactly as the parser delivered the member name
  std::int64_t hours = 0;
  std::int64_t unlock_time = 0;  // wipe timestamp + hours * 3600
  std::string display_name;      // what players are told the class is; empty when not given
};

struct Configuration {
  std::int64_t wipe_timestamp = 0;
  std::vector<DelayEntry> riding;  // in the order the loader adds them to the riding table
  std::vector<DelayEntry> taming;
  std::optional<NoticeSettings> notices;  // present only when the file asks for them
};

// A configuration as the tables hold it: one entry per class, each list sorted by unlock time, then
// class name (effective_entries()).
using Schedule = Configuration;

}  // namespace quellwarden::config
