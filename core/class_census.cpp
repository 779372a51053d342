// A class object's first sight is the census's only allocation: its name's text (and, for the
// first one, room for every entry).
#include "core/class_census.h"

namespace quellwarden {

void ClassCensus::add(std::size_t at, std::size_t gate, const void* class_object,
                      std::uint32_t hash, std::u16string_view name) noexcept {
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
  slots_[at] = {class_object, hash, &entries_.back()};
}

}  // namespace quellwarden
