// Turns what the reader read of the file into validated settings, or the refusal the loader gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "config/announcement_settings.h"
#include "config/notice_settings.h"
#include "config/refusal.h"

namespace quellwarden::config {

struct Document;

struct DelayEntry {
  std::string class_name;  // UTF-8, exactly as the parser delivered the member name
  std::int64_t hours = 0;
  std::int64_t unlock_time = 0;  // wipe timestamp + hours * 3600
  std::string display_name;      // what players are told the class is; empty when not given
  bool mod_class = false;        // its entry says "ModClass": true
};

// Where an entry's class comes from, as the status and the checker mark it: " (mod class)",
// " (not in the game's list)", or nothing for a class of the game. A class the game does not have
// is held back only if a mod brings it, so the mark says which.
const char* origin_mark(const DelayEntry& entry);

struct Configuration {
  std::int64_t wipe_timestamp = 0;
  std::vector<DelayEntry> riding;  // in the order the loader adds them to the riding table
  std::vector<DelayEntry> taming;
  std::optional<NoticeSettings> notices;              // present only when the file asks for them
  std::optional<AnnouncementSettings> announcements;  // present only while they are on
  std::vector<std::string> bypass;                    // players' unique ids, in byte order
};

// A configuration as the tables hold it: one entry per class, each list sorted by unlock time, then
// class name (effective_entries()).
using Schedule = Configuration;

// An entry that does not read, named by its list and class, with why: "HoursToDelay is the string
// \"72\"; write a number of hours".
struct HeldEntry {
  std::string list;  // "DisallowTaming"
  std::string class_name;
  std::string reason;
};

// The whole reading of a document: the configuration from what reads, and every place that does
// not, in the loader's order.
struct ConfigurationReading {
  Configuration configuration;  // the wipe and each entry that reads
  std::vector<Refusal> errors;  // the first is the one the loader has always refused the file for
  std::vector<HeldEntry> held;  // the entries among the errors
  // Every error is an entry's: the wipe reads, and so does the shape of both lists.
  bool salvageable = true;
};

// Reads the document in the loader's order. Its errors are worded as the library's own: type_error
// 306 (a holder that is not an object), type_error 302 (a number member of another type); or in the
// plugin's words: a number out of range, a "WipeTimestamp" text that is no date with its zone, a
// class name holding a NUL. Player notices and display names never refuse the file: a mistake in
// them leaves them out, and diagnose() says so. `document` must hold no parse error.
ConfigurationReading read_all(const Document& document);

// The refusal for `errors` (not empty): the first one's text and place, then for each other its
// hints, or its text where it has none, so that the hints name every place.
Refusal all_errors(std::vector<Refusal> errors);

}  // namespace quellwarden::config
