// Unlock announcements and reminders to every player, sent from the host's timer while the
// configuration in force asks for them.
#pragma once

#include <cstdint>

#include "config/loader.h"

namespace quellwarden {

// After each load that applies: what to announce of the tables now in force. Unlocks and
// reminders at or before `now` are past and never announced.
void schedule_announcements(const config::DelayTables& tables, std::int64_t now) noexcept;

// Registers the timer while announcements are on and removes it when they are not; a failure is
// logged.
void sync_announcement_timer() noexcept;
// Removes the registered timer, if any.
void remove_announcement_timer() noexcept;

}  // namespace quellwarden
