// When unlock announcements and their reminders fall due: every moment built once and sorted, and a
// cursor on the next one, so that the once-a-second check costs one comparison while nothing is.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "core/gate.h"

namespace quellwarden {

// One listed class's unlock at one gate (taming or riding: imprinting is announced with taming);
// `id` is the caller's name for the class, such as its place in a list. One entry per id and gate.
struct ScheduledUnlock {
  std::uint32_t id = 0;
  Gate gate = Gate::taming;
  std::int64_t unlock_time = 0;  // Unix seconds
};

struct Announcement {
  enum class Kind : std::uint8_t { unlock, reminder };
  Kind kind = Kind::unlock;
  std::uint32_t id = 0;
  Gate gate = Gate::taming;
  std::int64_t unlock_time = 0;

  bool operator==(const Announcement&) const = default;
};

// Never twice, never a burst: a check yields only what became due since the previous one, and of
// what one class and gate has due, only its unlock if that passed, else only its latest reminder.
// A clock set back yields nothing until it passes moments that were never due; what was sent is
// not sent again, with or without a reload in between. Not thread-safe: the host's timer and the
// reloads both run on the game thread.
class AnnouncementSchedule {
 public:
  // Nothing is ever due.
  AnnouncementSchedule() = default;

  // At the start and at every reload: each unlock, and each moment `remind_before` seconds before
  // it (values of 0 or less are ignored). Moments at or before `now` are past and never
  // announced, and so are those at or before the latest check that found something due, so that a
  // clock set back before a reload repeats nothing either.
  void replace(std::span<const ScheduledUnlock> unlocks,
               std::span<const std::int64_t> remind_before, std::int64_t now);

  // What became due since the previous check, in the order it became due.
  std::vector<Announcement> check(std::int64_t now) {
    return now < next_due_ ? std::vector<Announcement>{} : take_due(now);
  }

 private:
  struct Moment {
    std::int64_t at;
    Announcement announcement;
  };

  std::vector<Announcement> take_due(std::int64_t now);

  std::vector<Moment> moments_;  // sorted by time
  std::size_t next_ = 0;         // the first moment not yet due
  std::int64_t next_due_ = std::numeric_limits<std::int64_t>::max();
  std::int64_t taken_until_ = std::numeric_limits<std::int64_t>::min();
};

}  // namespace quellwarden
