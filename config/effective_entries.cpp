// Mirrors the table's replace-on-add, so the report lists the class that really takes effect.
#include "config/effective_entries.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "core/same_class.h"

namespace quellwarden::config {
std::vector<DelayEntry> effective_entries(const std::vector<DelayEntry>& added) {
  std::vector<DelayEntry> kept;
  std::unordered_map<std::string_view, std::size_t, ClassHash, SameClass> slot_of;
  for (const DelayEntry& entry : added) {
    const auto [slot, inserted] = slot_of.try_emplace(entry.class_name, kept.size());
    if (inserted) {
      kept.push_back(entry);
    } else {
      kept[slot->second] = entry;
    }
  }
  sort_by_unlock(kept);
  return kept;
}

void sort_by_unlock(std::vector<DelayEntry>& entries) {
  std::sort(entries.begin(), entries.end(), [](const DelayEntry& a, const DelayEntry& b) {
    return std::tie(a.unlock_time, a.class_name) < std::tie(b.unlock_time, b.class_name);
  });
}

}  // namespace quellwarden::config
