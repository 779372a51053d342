// A command's name as the host was given it, kept from its registration to its removal: removing
// then needs no allocation, so a game allocator that refuses at unload cannot leave the host a
// callback into a plugin that is gone. The console, RCON and chat commands and the announcements'
// timer all keep theirs so.
#pragma once

#include <string>
#include <utility>

#include "host/fstring.h"

namespace quellwarden {

class KeptName {
 public:
  // Keeps `text` and makes the host's string of it, which may fail (exhausted memory); the text is
  // kept either way, so the removal still knows the name.
  void keep(std::string text) {
    text_ = std::move(text);
    held_ = FString(text_.c_str());
  }
  // Calls `use(name)` with the kept string, or with one made now if making it failed.
  template <typename Use>
  decltype(auto) with(Use&& use) const {
    if (held_.data() == nullptr) return use(FString(text_.c_str()));
    return use(held_);
  }
  void forget() noexcept {
    text_.clear();
    held_.release();
  }
  [[nodiscard]] const std::string& text() const noexcept { return text_; }

 private:
  std::string text_;  // empty: nothing is registered
  FString held_;
};

}  // namespace quellwarden
