// The configuration loader: the file below the working directory becomes the wipe timestamp, the
// two delay tables and the notices, announcements and bypass list, all at once or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "config/announcement_settings.h"
#include "config/config_reader.h"
#include "config/diagnostics.h"
#include "config/notice_settings.h"
#include "config/refusal.h"
#include "config/vocabulary.h"
#include "core/delay_table.h"
#include "core/gate.h"
#include "log/plugin_log.h"

namespace quellwarden::config {

// The "DisplayName" of each class by the slot its table keeps it in, so that the table alone
// decides which names are one class; classes without one are absent.
using DisplayNames = std::map<std::int32_t, std::string>;

// The display name of the class in `slot`; empty when it has none.
std::string_view display_name_at(const DisplayNames& names, std::int32_t slot);

// The slots of the classes whose entry says "ModClass": true.
using ModClasses = std::set<std::int32_t>;

// One list of config.json as the gates read it: the table decides which names are one class, and
// the display names and mod marks hang on its slots.
struct ListTable {
  DelayTable table;
  DisplayNames names;
  ModClasses mod_classes;
};

// The unlock time of an entry held until the file is fixed: it never comes, so no answer may
// speak of it as a time.
inline constexpr std::int64_t kNeverUnlocks = kMaxNumber;
constexpr bool never_unlocks(std::int64_t unlock_time) { return unlock_time == kNeverUnlocks; }

// What a load replaces, as one unit. Riding comes first, so it is released last. A member added
// here must be swapped in swap(), or it would outlive the reload that replaced it.
struct DelayTables {
  ListTable riding;                       // holds back riding
  ListTable taming;                       // holds back taming and imprinting
  std::int64_t wipe_timestamp = 0;        // Unix seconds of the wipe the tables were computed from
  std::optional<NoticeSettings> notices;  // absent: refusals stay silent, no chat command
  std::optional<AnnouncementSettings> announcements;  // absent: no timer, nothing announced
  std::vector<std::string> bypass;  // players' unique ids that pass every gate, in byte order
  // Notices or a bypass list: a refusal asks who its player is. One flag, so that a refusal with
  // neither costs the gate one test, as notices alone always did.
  bool refusal_asks_player = false;
  // The entries of a refused config.json that a start holds back until the file is fixed (their
  // unlock time never comes); empty for a file that applied.
  std::vector<HeldEntry> held_until_fixed;

  // The list `gate` reads.
  [[nodiscard]] const ListTable& of(Gate gate) const noexcept {
    return gate == Gate::riding ? riding : taming;
  }
  void swap(DelayTables& other) noexcept;
};

struct LoadOutcome {
  // Why the load changed nothing; absent when it applied.
  std::optional<Refusal> refusal;
  // What the applied file says that is valid but almost surely a mistake.
  std::vector<Diagnostic> diagnostics;
  // The file that applied, byte for byte; empty when refused.
  std::string bytes;
  // Refused because no file stands at the path (not one that stands but cannot be read).
  bool file_missing = false;
  // Refused, yet what reads of it applied, the wrong entries held back (Take::salvage).
  bool salvaged = false;
  // Not applied: it reads, but every unlock in it is past (Take::while_holding).
  bool all_past = false;
  [[nodiscard]] bool applied() const noexcept { return !refusal; }
};

// How a load takes its file.
enum class Take {
  whole,          // applies as a whole or not at all
  salvage,        // at start: of a file refused only for some entries, the rest, those held back
  while_holding,  // a last good copy: only while it still holds something back
};

// Reads `file_name` (config.json, or the last good copy) in ArkApi/Plugins/Quellwarden below the
// current directory into new tables and swaps them into `live`, logging one "Adding a" line per
// riding class. Whatever keeps the file from applying (the working directory unreadable, no file,
// no JSON, a member of the wrong type, a number out of range, a game function that cannot be
// resolved, exhausted memory) comes back as the refusal, unlogged, and leaves `live` as it was.
// Diagnostics judge times against `now`.
LoadOutcome load_configuration(DelayTables& live, const PluginLog& log, std::int64_t now,
                               const char* file_name = kConfigFileName, Take take = Take::whole);

// ArkApi/Plugins/Quellwarden below the current directory, as the loader forms it; empty with
// `error` set when the working directory cannot be read.
std::filesystem::path plugin_folder(std::error_code& error);

}  // namespace quellwarden::config
