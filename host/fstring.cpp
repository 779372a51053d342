// The FString operations the plugin owns: move, release, compare and equality.
#include "host/fstring.h"

#include "host/binding.h"

FString::FString(FString&& other) noexcept
    : data_(other.data_), count_(other.count_), capacity_(other.capacity_) {
  other.data_ = nullptr;
  other.count_ = 0;
  other.capacity_ = 0;
}

FString& FString::operator=(FString&& other) noexcept {
  if (this != &other) {
    release();
    data_ = other.data_;
    count_ = other.count_;
    capacity_ = other.capacity_;
    other.data_ = nullptr;
    other.count_ = 0;
    other.capacity_ = 0;
  }
  return *this;
}

void FString::release() noexcept {
  if (data_ != nullptr) {
    quellwarden::host::free_block(data_);
  }
  data_ = nullptr;
  count_ = 0;
  capacity_ = 0;
}

std::u16string_view FString::view() const noexcept {
  if (data_ == nullptr || count_ <= 1) {
    return {};
  }
  return {reinterpret_cast<const char16_t*>(data_), static_cast<std::size_t>(count_ - 1)};
}

void FString::adopt(WIDECHAR* data, std::int32_t count, std::int32_t capacity) noexcept {
  release();
  data_ = data;
  count_ = count;
  capacity_ = capacity;
}

namespace quellwarden::host {

int compare_ignoring_case(const FString& held, const FString& probe) {
  return call_game<int>("FGenericPlatformStricmp.Stricmp(wchar_t*,wchar_t*)",
                        const_cast<WIDECHAR*>(held.data()), const_cast<WIDECHAR*>(probe.data()));
}

bool fstring_equal(const FString& held, const FString& probe) {
  if (held.count() == probe.count()) {
    return held.count() <= 1 || compare_ignoring_case(held, probe) == 0;
  }
  return held.count() + probe.count() == 1;
}

}  // namespace quellwarden::host
