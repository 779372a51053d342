// A name's first sight is the census's only allocation: its text (and, for the first name, room
// for every entry).
#include "core/class_census.h"

namespace quellwarden {

void ClassCensus::add(std::size_t at, std::size_t gate, std::uint64_t key,
                      std::u16string_view name) noexcept {
  if (entries_.size() >= kMostClasses) {
    ++unkept_calls_;
    return;
  }
  try {
    entries_.reserve(kMostClasses);
    Entry entry{std::u16string(name), {}};
    entry.calls[gate] = 1;
    entries_.push_back(std::move(entry));
  } catch (...) {  // no memory for the name: the gate goes on without it
    ++unkept_calls_;
    return;
  }
  slots_[at] = {key, &entries_.back()};
}

}  // namespace quellwarden
