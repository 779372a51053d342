// The delay table's key hash: CRC-style over UTF-16 units with a to z folded, as the host hashes.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/fstring.h"

namespace quellwarden {

// CRC-style hash over the UTF-16 units with a to z folded to upper case; abc and ABC give
// 0xC05C9C7B. The empty text (count 0 or 1) hashes to 0.
std::uint32_t key_hash(std::u16string_view units);
inline std::uint32_t key_hash(const FStringData& key) { return key_hash(FString::view_of(key)); }
inline std::uint32_t key_hash(const FString& key) { return key_hash(key.view()); }

namespace detail {
// Entry `index` of the hash's byte table (MSB-first CRC remainders for 0x04C11DB7).
std::uint32_t key_hash_table_entry(std::uint8_t index);
}  // namespace detail

}  // namespace quellwarden
