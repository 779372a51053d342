// The announcement schedule: built once per load, then walked forward by the host's timer.
#include "core/announcement_schedule.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <tuple>
#include <utility>

namespace quellwarden {
namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kFirstSecond = std::numeric_limits<std::int64_t>::min();

// Ascending, and positive, so that no reminder falls on its unlock or after it.
std::vector<std::int64_t> ascending_leads(std::span<const std::int64_t> remind_before) {
  std::vector<std::int64_t> leads;
  std::copy_if(remind_before.begin(), remind_before.end(), std::back_inserter(leads),
               [](std::int64_t lead) { return lead > 0; });
  std::sort(leads.begin(), leads.end());
  return leads;
}

}  // namespace

void AnnouncementSchedule::replace(std::span<const ScheduledUnlock> unlocks,
                                   std::span<const std::int64_t> remind_before, std::int64_t now) {
  const std::int64_t past = std::max(now, taken_until_);
  const std::vector<std::int64_t> leads = ascending_leads(remind_before);
  moments_.clear();
  for (const ScheduledUnlock& unlock : unlocks) {
    if (unlock.unlock_time <= past) continue;
    const Announcement announced{Announcement::Kind::unlock, unlock.id, unlock.gate,
                                 unlock.unlock_time};
    moments_.push_back({unlock.unlock_time, announced});
    // The leads ascend, so once one reminder is past, so are the rest; one before the first second
    // there is would not wrap round to a late one.
    for (const std::int64_t lead : leads) {
      if (unlock.unlock_time < kFirstSecond + lead || unlock.unlock_time - lead <= past) break;
      Announcement reminder = announced;
      reminder.kind = Announcement::Kind::reminder;
      moments_.push_back({unlock.unlock_time - lead, reminder});
    }
  }
  std::sort(moments_.begin(), moments_.end(), [](const Moment& left, const Moment& right) {
    return std::tuple(left.at, left.announcement.id, left.announcement.gate) <
           std::tuple(right.at, right.announcement.id, right.announcement.gate);
  });
  next_ = 0;
  next_due_ = moments_.empty() ? kNever : moments_.front().at;
}

std::vector<Announcement> AnnouncementSchedule::take_due(std::int64_t now) {
  const auto first = moments_.begin() + static_cast<std::ptrdiff_t>(next_);
  const auto end = std::upper_bound(first, moments_.end(), now,
                                    [](std::int64_t time, const Moment& m) { return time < m.at; });
  // From the newest back: the first moment met of a class and gate is its latest due, and its
  // unlock, when due, is later than all of its reminders.
  std::vector<Announcement> due;
  std::set<std::pair<std::uint32_t, Gate>> answered;
  for (auto moment = end; moment != first;) {
    --moment;
    if (answered.emplace(moment->announcement.id, moment->announcement.gate).second) {
      due.push_back(moment->announcement);
    }
  }
  std::reverse(due.begin(), due.end());
  next_ = static_cast<std::size_t>(end - moments_.begin());
  next_due_ = end == moments_.end() ? kNever : end->at;
  taken_until_ = now;
  return due;
}

}  // namespace quellwarden
