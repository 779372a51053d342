// What the plugin registers with the host under a kept name (a command, a timer): added, removed
// and followed one way, each failure logged as "Failed to add console command Quellwarden.reload".
#pragma once

#include <fmt/format.h>

#include <string>
#include <string_view>

#include "config/vocabulary.h"
#include "plugin/attempt.h"
#include "plugin/kept_name.h"

namespace quellwarden {

// Keeps `name` in `kept`, unless it is kept already (the console's, for its RCON twin), and asks
// the host to add it as a `kind` through `add(held_name)`. Answers whether the host took it.
template <typename Add>
bool add_registration(const char* kind, KeptName& kept, std::string_view name, Add&& add) noexcept {
  return attempt([&] { return fmt::format(config::kRegistrationFailed, "add", kind, name); },
                 [&] {
                   if (kept.text() != name) kept.keep(std::string(name));
                   kept.with(std::forward<Add>(add));
                   return true;
                 });
}

// Asks the host to remove the `kind` kept in `kept` through `remove(held_name)`, which answers
// whether it did.
template <typename Remove>
bool remove_registration(const char* kind, const KeptName& kept, Remove&& remove) noexcept {
  return attempt(
      [&] { return fmt::format(config::kRegistrationFailed, "remove", kind, kept.text()); },
      [&] { return kept.with(std::forward<Remove>(remove)); });
}

// Makes the one `kind` kept in `kept` the `wanted` one (empty: none). While none is wanted, one
// the host would not remove stays kept, so the next call or the unload asks again; a new name
// takes its place whatever the host answered, or a name the host has lost would block it forever.
template <typename Add, typename Remove>
void follow_registration(const char* kind, KeptName& kept, std::string_view wanted, Add&& add,
                         Remove&& remove) noexcept {
  if (wanted == kept.text()) return;
  if (!kept.text().empty() && !remove_registration(kind, kept, std::forward<Remove>(remove)) &&
      wanted.empty()) {
    return;
  }
  kept.forget();
  if (!wanted.empty() && !add_registration(kind, kept, wanted, std::forward<Add>(add))) {
    kept.forget();
  }
}

// The unload's removal is the last chance to ask, so the name goes whatever the host answers.
template <typename Remove>
void drop_registration(const char* kind, KeptName& kept, Remove&& remove) noexcept {
  if (kept.text().empty()) return;
  remove_registration(kind, kept, std::forward<Remove>(remove));
  kept.forget();
}

}  // namespace quellwarden
