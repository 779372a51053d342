// Class names from the configuration become FStrings; ASCII maps one unit per byte.
#include "host/widen.h"

#include <array>
#include <cstddef>
#include <memory>
#include <new>

#include "host/game_functions.h"
#include "host/utf8.h"

namespace quellwarden::host {
namespace {

constexpr std::size_t kInlineUnits = 128;

// Gives a borrowed allocator block back however the constructor leaves.
struct GiveBack {
  void operator()(void* block) const noexcept { free_block(block); }
};

}  // namespace

FString widen(std::string_view text) {
  const std::string_view bytes = text.substr(0, text.find('\0'));
  std::size_t units = 0;
  decode_utf8(bytes, [&](char16_t) { ++units; });

  std::array<WIDECHAR, kInlineUnits> inline_buffer{};
  std::unique_ptr<void, GiveBack> borrowed;
  WIDECHAR* buffer = inline_buffer.data();
  if (units + 1 > kInlineUnits) {
    borrowed.reset(resize_block(nullptr, (units + 1) * sizeof(WIDECHAR)));
    // The game's allocator answers null when it has nothing to give.
    if (borrowed == nullptr) {
      throw std::bad_alloc();
    }
    buffer = static_cast<WIDECHAR*>(borrowed.get());
  }
  std::size_t written = 0;
  decode_utf8(bytes, [&](char16_t unit) { buffer[written++] = static_cast<WIDECHAR>(unit); });
  buffer[units] = 0;
  return FString(buffer);
}

}  // namespace quellwarden::host
