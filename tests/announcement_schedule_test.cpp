// The announcement schedule walked through checks and reloads: each moment once, never a burst.
#include "core/announcement_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using quellwarden::Announcement;
using quellwarden::AnnouncementSchedule;
using quellwarden::Gate;
using quellwarden::ScheduledUnlock;
using Kind = Announcement::Kind;

constexpr std::int64_t kUnlock = 1'700'086'400;
constexpr Gate kTaming = Gate::taming;
constexpr Gate kRiding = Gate::riding;

Announcement unlock(std::uint32_t id = 1, Gate gate = kTaming, std::int64_t time = kUnlock) {
  return {Kind::unlock, id, gate, time};
}
Announcement reminder(std::uint32_t id = 1, Gate gate = kTaming, std::int64_t time = kUnlock) {
  return {Kind::reminder, id, gate, time};
}

struct Step {
  std::int64_t now;
  std::vector<Announcement> due;
  bool reload = false;  // replace() at `now` instead of a check
};

struct Case {
  const char* name;
  std::vector<ScheduledUnlock> unlocks;
  std::vector<std::int64_t> remind_before;
  std::int64_t start;
  std::vector<Step> steps;
};

const std::vector<ScheduledUnlock> kRex{{1, kTaming, kUnlock}};
const std::vector<std::int64_t> kDayHourTen{86400, 3600, 600};

TEST(announcement_schedule_test, each_moment_comes_once_and_a_jump_brings_only_the_latest) {
  const std::vector<Case> cases{
      {"every reminder at its moment once, then the unlock; none after it",
       kRex,
       {86400, 3600, 600, -60},
       kUnlock - 100000,
       {{kUnlock - 86401, {}},
        {kUnlock - 86400, {reminder()}},
        {kUnlock - 86400, {}},
        {kUnlock - 3600, {reminder()}},
        {kUnlock - 600, {reminder()}},
        {kUnlock - 1, {}},
        {kUnlock, {unlock()}},
        {kUnlock + 60, {}}}},
      {"a jump over reminders brings the latest alone",
       kRex,
       kDayHourTen,
       kUnlock - 100000,
       {{kUnlock - 599, {reminder()}}, {kUnlock, {unlock()}}}},
      {"what is past at the start is never announced",
       {{1, kTaming, kUnlock}, {2, kTaming, kUnlock + 7200}},
       kDayHourTen,
       kUnlock,
       {{kUnlock + 3599, {}},
        {kUnlock + 3600, {reminder(2, kTaming, kUnlock + 7200)}},
        {kUnlock + 7200, {unlock(2, kTaming, kUnlock + 7200)}}}},
      {"a clock set back repeats nothing",
       kRex,
       kDayHourTen,
       kUnlock - 700,
       {{kUnlock - 600, {reminder()}},
        {kUnlock - 5000, {}},
        {kUnlock - 600, {}},
        {kUnlock, {unlock()}}}},
      {"a reload drops what is past, also across a clock set back",
       kRex,
       kDayHourTen,
       kUnlock - 100000,
       {{kUnlock - 3600, {reminder()}},
        {kUnlock - 3000, {}, true},
        {kUnlock - 600, {reminder()}},
        {kUnlock - 5000, {}, true},
        {kUnlock - 600, {}},
        {kUnlock, {}, true},
        {kUnlock + 1, {}}}},
      {"a jump over reminders and unlocks brings one unlock a class and gate, in order",
       {{1, kRiding, kUnlock + 60}, {2, kTaming, kUnlock}, {1, kTaming, kUnlock}},
       {600},
       kUnlock - 1000,
       {{kUnlock + 100, {unlock(1), unlock(2), unlock(1, kRiding, kUnlock + 60)}}}},
  };
  for (const Case& tried : cases) {
    SCOPED_TRACE(tried.name);
    AnnouncementSchedule schedule;
    schedule.replace(tried.unlocks, tried.remind_before, tried.start);
    for (const Step& step : tried.steps) {
      SCOPED_TRACE(step.now - kUnlock);
      if (step.reload) {
        schedule.replace(tried.unlocks, tried.remind_before, step.now);
      } else {
        EXPECT_EQ(schedule.check(step.now), step.due);
      }
    }
  }
}

}  // namespace
