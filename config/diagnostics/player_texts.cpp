// A text that fits with short names may not with the longest ones: the file is judged by its worst
// case, since that is what some player will read cut.
#include <algorithm>
#include <string>
#include <utility>

#include "config/diagnostics/checks.h"
#include "config/notice_settings.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

LongestValues longest_values(const Configuration& configuration, const NoticeSettings& settings,
                             std::int64_t now) {
  LongestValues longest;
  std::int64_t latest = now;
  std::size_t entries = 0;
  for (const auto* list : {&configuration.riding, &configuration.taming}) {
    for (const DelayEntry& entry : *list) {
      longest.creature =
          std::max(longest.creature, display_name_of(entry.display_name, entry.class_name).size());
      longest.class_name = std::max(longest.class_name, entry.class_name.size());
      latest = std::max(latest, entry.unlock_time);
      ++entries;
    }
  }
  longest.left = notice_text("{left}", {{}, {}, latest, now}, settings).size();
  longest.unlock = notice_text("{unlock}", {{}, {}, latest, now}, settings).size();
  longest.count = std::to_string(entries).size();
  return longest;
}

}  // namespace

void check_player_text_lengths(const Configuration& configuration, std::int64_t now,
                               Diagnostics& out) {
  if (!configuration.notices) return;
  const NoticeSettings& settings = *configuration.notices;
  const LongestValues longest = longest_values(configuration, settings, now);
  for (const auto& [name, text] : {std::pair{kTamingNotice, &settings.taming},
                                   {kImprintingNotice, &settings.imprinting},
                                   {kRidingNotice, &settings.riding},
                                   {kUnlocksTaming, &settings.unlocks_taming},
                                   {kUnlocksRiding, &settings.unlocks_riding},
                                   {kUnlocksNone, &settings.unlocks_none},
                                   {kUnlocksMore, &settings.unlocks_more}}) {
    const std::size_t length = longest_fill(*text, longest);
    if (length <= kMostPlayerTextBytes) continue;
    out.push_back({DiagnosticCode::text_may_be_cut,
                   {kPlayerNotices, name},
                   in_quotes(name) + " in " + in_quotes(kPlayerNotices) + " can reach " +
                       std::to_string(length) +
                       " bytes with the longest names and times of this file, and players "
                       "receive at most " +
                       std::to_string(kMostPlayerTextBytes) +
                       ", so it is cut, ending in \"...\"; shorten the text or the names"});
  }
}

}  // namespace quellwarden::config
