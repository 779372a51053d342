// Turns the configuration text into validated settings, or the exact error the loader raises.
#pragma once

#include <cstdint>
#include <istream>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/notice_settings.h"

namespace quellwarden::config {

// A value that the configuration holds but that cannot be used: a number that does not fit a
// signed 64-bit value (or whose unlock time would not), a wipe text that is no date with its zone,
// a class name with a NUL in it. what() names the member and its place.
class ConfigError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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

struct ParseResult {
  nlohmann::json document;           // an empty object when parsing failed
  std::optional<std::string> error;  // the library's description of the parse failure
};

// Reads one JSON value from `in` by stream extraction: no comments, a leading UTF-8 byte order
// mark accepted, nothing after the first complete value examined. Never throws a JSON error.
ParseResult parse_document(std::istream& in);

// Reads the whole document in the loader's order and raises what the loader would raise at the
// first failing read: nlohmann's type_error 306 (a holder that is not an object), its type_error
// 302 (a number member of another type), or ConfigError (a number out of range, a
// "WipeTimestamp" text that is no date with its zone, a class name holding a NUL).
Configuration read_configuration(const nlohmann::json& document);

}  // namespace quellwarden::config
