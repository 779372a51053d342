// FString: the host's and the game's text, UTF-16 units in a buffer owned by the game's allocator.
// Its own operations are inline, so the host stand-in shares them without compiling plugin code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/export.h"
#include "host/game_functions.h"
#include "host/utf8.h"
#include "host/widechar.h"

// The three fields as the host lays them out, owning nothing: what a container may copy bytewise.
struct FStringData {
  WIDECHAR* data = nullptr;
  std::int32_t count = 0;  // units in use, the terminating NUL included
  std::int32_t capacity = 0;
};

class FString {
 public:
  // The all-zero empty string; the form a game function expects to fill.
  constexpr FString() noexcept = default;
  // Exported by the host: how they convert and allocate is the host's business.
  ASAAPI_EXPORT explicit FString(const char* text);
  ASAAPI_EXPORT explicit FString(const WIDECHAR* text);

  FString(FString&& other) noexcept : raw_(other.take()) {}
  FString& operator=(FString&& other) noexcept {
    if (this != &other) {
      release();
      raw_ = other.take();
    }
    return *this;
  }
  FString(const FString&) = delete;
  FString& operator=(const FString&) = delete;
  ~FString() { release(); }

  // Gives the buffer back to the game's allocator and leaves the string all-zero.
  void release() noexcept {
    quellwarden::host::free_block(raw_.data);
    raw_ = {};
  }

  [[nodiscard]] const WIDECHAR* data() const noexcept { return raw_.data; }
  [[nodiscard]] std::int32_t count() const noexcept { return raw_.count; }
  [[nodiscard]] std::int32_t capacity() const noexcept { return raw_.capacity; }
  [[nodiscard]] const FStringData& raw() const noexcept { return raw_; }
  // Units before the terminating NUL.
  [[nodiscard]] std::u16string_view view() const noexcept { return view_of(raw_); }

  // Ownership out: the caller now owns the buffer and this string is all-zero.
  [[nodiscard]] FStringData take() noexcept {
    const FStringData taken = raw_;
    raw_ = {};
    return taken;
  }
  // Ownership in: for whoever allocated the buffer (the host, a game function, a container).
  void adopt(const FStringData& raw) noexcept {
    release();
    raw_ = raw;
  }
  void adopt(WIDECHAR* data, std::int32_t count, std::int32_t capacity) noexcept {
    adopt(FStringData{data, count, capacity});
  }

  static std::u16string_view view_of(const FStringData& raw) noexcept {
    if (raw.data == nullptr || raw.count <= 1) {
      return {};
    }
    return {reinterpret_cast<const char16_t*>(raw.data), static_cast<std::size_t>(raw.count - 1)};
  }

 private:
  FStringData raw_;
};

static_assert(sizeof(FString) == 16 && sizeof(FStringData) == 16,
              "FString layout is shared with the host");

namespace quellwarden::host {

// The game's case-insensitive compare of two texts: 0 when equal apart from letter case.
int compare_ignoring_case(const FStringData& held, const FStringData& probe);

// Equal counts compare through the game; different counts are equal only when both are empty
// (count 0 and count 1 are the two forms of the empty text). Inline, as a delay table's find runs
// it for every candidate in a chain.
inline bool fstring_equal(const FStringData& held, const FStringData& probe) {
  if (held.count == probe.count) {
    return held.count <= 1 || compare_ignoring_case(held, probe) == 0;
  }
  return held.count + probe.count == 1;
}

// A text the host hands over, such as a command's line, in UTF-8; empty for none.
inline std::string utf8_of(const FString* text) {
  return text == nullptr ? std::string() : encode_utf8(text->view());
}

}  // namespace quellwarden::host
