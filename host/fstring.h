// FString: the host's and the game's text, UTF-16 units in a buffer owned by the game's allocator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/export.h"
#include "host/widechar.h"

class FString {
 public:
  // The all-zero empty string; the form a game function expects to fill.
  constexpr FString() noexcept = default;
  // Exported by the host: how they convert and allocate is the host's business.
  ASAAPI_EXPORT explicit FString(const char* text);
  ASAAPI_EXPORT explicit FString(const WIDECHAR* text);

  FString(FString&& other) noexcept;
  FString& operator=(FString&& other) noexcept;
  FString(const FString&) = delete;
  FString& operator=(const FString&) = delete;
  ~FString() { release(); }

  // Gives the buffer back to the game's allocator and leaves the string all-zero.
  void release() noexcept;

  [[nodiscard]] const WIDECHAR* data() const noexcept { return data_; }
  [[nodiscard]] std::int32_t count() const noexcept { return count_; }
  [[nodiscard]] std::int32_t capacity() const noexcept { return capacity_; }
  // Units before the terminating NUL.
  [[nodiscard]] std::u16string_view view() const noexcept;

  // For whoever allocates the buffer (the host, a game function): take ownership of it.
  void adopt(WIDECHAR* data, std::int32_t count, std::int32_t capacity) noexcept;

 private:
  WIDECHAR* data_ = nullptr;
  std::int32_t count_ = 0;
  std::int32_t capacity_ = 0;
};

static_assert(sizeof(FString) == 16, "FString layout is shared with the host");

namespace quellwarden::host {

// The game's case-insensitive compare of two texts: 0 when equal apart from letter case.
int compare_ignoring_case(const FString& held, const FString& probe);

// Equal counts compare through the game; different counts are equal only when both are empty
// (count 0 and count 1 are the two forms of the empty text).
bool fstring_equal(const FString& held, const FString& probe);

}  // namespace quellwarden::host
