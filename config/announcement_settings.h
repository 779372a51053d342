// What every player is told when an unlock passes, and how long before: the "Announcements"
// member, read and checked member by member.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/diagnostics.h"

namespace quellwarden::config {

struct Document;

// A text left out or empty announces nothing; the texts hold the notices' placeholders.
struct AnnouncementSettings {
  std::string taming;  // when a class's taming unlock passes (imprinting follows it)
  std::string riding;
  std::vector<std::int64_t> remind_before;  // seconds before an unlock, each more than 0
  std::string taming_soon;                  // at each of those moments before a taming unlock
  std::string riding_soon;
};

struct AnnouncementReading {
  // Present when the file has "Announcements", none of its members is wrong and some text would
  // be sent: announcements are on.
  std::optional<AnnouncementSettings> settings;
  // Each member that is wrong, as `invalid_announcements`.
  std::vector<Diagnostic> problems;
};

// Never refuses the file: a mistake only turns announcements off.
AnnouncementReading read_announcements(const Document& document);

}  // namespace quellwarden::config
