// Reaching game functions and fields by name. Every use resolves the name anew: the plugin keeps
// no address, so a game update that moves a function is picked up without a restart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/asa_api.h"

namespace quellwarden::host {

// Resolves `name` (a literal, passed with its exact length) and calls the game function there.
template <typename Result, typename... Args, std::size_t N>
Result call_game(const char (&name)[N], Args... args) {
  const std::string text(name, N - 1);
  auto* const function = reinterpret_cast<Result (*)(Args...)>(GetAddress(text));
  return function(args...);
}

// Address of field `name` inside `object`.
template <typename Field, std::size_t N>
Field* field_of(const void* object, const char (&name)[N]) {
  const std::string text(name, N - 1);
  return reinterpret_cast<Field*>(static_cast<std::uintptr_t>(GetAddress(object, text)));
}

// The game's allocator: a null block allocates; a size of 0 frees and yields null.
void* resize_block(void* block, std::uint64_t size);
void free_block(void* block);

}  // namespace quellwarden::host
