// A key as the configuration reader makes it: any text, embedded NULs included, in a block of the
// game's allocator with the terminating NUL counted.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "host/fstring.h"
#include "host/game_functions.h"

namespace qw_test {

inline FString make_key(std::u16string_view text) {
  const auto units = static_cast<std::int32_t>(text.size() + 1);
  auto* buffer = static_cast<WIDECHAR*>(
      quellwarden::host::resize_block(nullptr, static_cast<std::uint64_t>(units) * 2U));
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  FString key;
  key.adopt(buffer, units, units);
  return key;
}

}  // namespace qw_test
