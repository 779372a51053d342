// Mirrors the table's replace-on-add, so the report lists the class that really takes effect.
#include "config/effective_entries.h"

#include <algorithm>
#include <unordered_map>

#include "config/ascii_fold.h"

namespace quellwarden::config {

std::vector<config::DelayEntry> effective_entries(const std::vector<config::DelayEntry>& added) {
  std::vector<config::DelayEntry> kept;
  std::unordered_map<std::string, std::size_t> slot_of;
  for (const config::DelayEntry& entry : added) {
    const auto [slot, inserted] = slot_of.try_emplace(ascii_folded(entry.class_name), kept.size());
    if (inserted) {
      kept.push_back(entry);
    } else {
      kept[slot->second] = entry;
    }
  }
  std::stable_sort(kept.begin(), kept.end(), [](const auto& left, const auto& right) {
    return left.unlock_time != right.unlock_time ? left.unlock_time < right.unlock_time
                                                 : left.class_name < right.class_name;
  });
  return kept;
}

}  // namespace quellwarden::config
