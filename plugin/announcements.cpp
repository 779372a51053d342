// The schedule keeps each class by its slot in its table, so the texts are made only when they
// are sent, with the names the tables hold then; every load that applies rebuilds it.
#include "plugin/announcements.h"

#include <string>
#include <vector>

#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "host/utf8.h"
#include "plugin/attempt.h"
#include "plugin/clock.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"
#include "plugin/registration.h"

namespace quellwarden {
namespace {

void add_unlocks(std::vector<ScheduledUnlock>& unlocks, const config::DelayTables& tables,
                 Gate gate) {
  tables.of(gate).table.for_each(
      [&](std::int32_t slot, std::u16string_view, std::int64_t unlock_time) {
        unlocks.push_back({static_cast<std::uint32_t>(slot), gate, unlock_time});
      });
}

const std::string& text_of(const Announcement& due, const config::AnnouncementSettings& settings) {
  const bool taming = due.gate == Gate::taming;
  if (due.kind == Announcement::Kind::unlock) return taming ? settings.taming : settings.riding;
  return taming ? settings.taming_soon : settings.riding_soon;
}

void announce(const Announcement& due, const config::AnnouncementSettings& settings,
              std::int64_t now) {
  const std::string& text = text_of(due, settings);
  if (text.empty()) return;
  const config::DelayTables& tables = plugin_state().tables;
  const config::ListTable& list = tables.of(due.gate);
  const auto slot = static_cast<std::int32_t>(due.id);
  const std::string class_name = host::encode_utf8(list.table.key_of(slot));
  const std::string_view display_name = config::display_name_at(list.names, slot);
  // Players read the time and units the notices give them, or the defaults without notices.
  static const config::NoticeSettings kDefaults;
  const config::NoticeSettings& words = tables.notices ? *tables.notices : kDefaults;
  send_to_everyone(
      kYellow, config::notice_text(text, {display_name, class_name, due.unlock_time, now}, words));
}

// The timer's callback: sends what became due since the previous check, one comparison when
// nothing did.
void announce_due() {
  PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  const std::vector<Announcement> due = state.announcement_schedule.check(now);
  if (due.empty() || !state.tables.announcements) return;
  for (const Announcement& announcement : due) {
    announce(announcement, *state.tables.announcements, now);
  }
}

bool remove_timer(const FString& name) { return AsaApi::GetCommands().RemoveTimer(name); }

}  // namespace

void schedule_announcements(const config::DelayTables& tables, std::int64_t now) noexcept {
  AnnouncementSchedule& schedule = plugin_state().announcement_schedule;
  try {
    std::vector<ScheduledUnlock> unlocks;
    std::vector<std::int64_t> leads;
    if (tables.announcements) {
      add_unlocks(unlocks, tables, Gate::taming);
      add_unlocks(unlocks, tables, Gate::riding);
      leads = tables.announcements->remind_before;
    }
    schedule.replace(unlocks, leads, now);
  } catch (...) {
    // Exhausted memory: announcing nothing is better than announcing the previous tables.
    schedule.replace({}, {}, now);
  }
}

void remove_announcement_timer() noexcept {
  drop_registration("timer", plugin_state().announcement_timer, &remove_timer);
}

void sync_announcement_timer() noexcept {
  const bool wanted = plugin_state().tables.announcements.has_value();
  follow_registration(
      "timer", plugin_state().announcement_timer, wanted ? config::kAnnouncementTimer : "",
      [](const FString& name) {
        AsaApi::GetCommands().AddTimer(
            name, AsaApi::TimerCallback(guarded(config::kAnnouncementTimer, &announce_due)));
      },
      &remove_timer);
}

}  // namespace quellwarden
