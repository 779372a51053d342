// The delay table's key hash: the host's CRC-style hash with ASCII letters folded to upper case.
#include <array>

#include "core/delay_table.h"

namespace quellwarden {
namespace {

// The table is the left-shifting (MSB-first) one although the update below shifts right; the host
// pairs them this way, and a reflected CRC-32 table would put keys in other buckets than its own.
constexpr std::array<std::uint32_t, 256> make_table() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t remainder = byte << 24;
    for (int bit = 0; bit < 8; ++bit) {
      remainder = (remainder & 0x80000000U) != 0 ? (remainder << 1) ^ 0x04C11DB7U : remainder << 1;
    }
    table[byte] = remainder;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kTable = make_table();

constexpr std::uint32_t fold(std::uint32_t unit) {
  return unit >= 0x61 && unit <= 0x7A ? unit - 0x20 : unit;
}

}  // namespace

std::uint32_t key_hash(const FString& key) {
  std::uint32_t hash = 0;
  // view() spans every unit before the terminating NUL, embedded NULs included.
  for (const char16_t unit : key.view()) {
    const std::uint32_t folded = fold(unit);
    hash = (hash >> 8) ^ kTable[(hash ^ (folded & 0xFF)) & 0xFF];
    hash = (hash >> 8) ^ kTable[(hash ^ (folded >> 8)) & 0xFF];
  }
  return hash;
}

namespace detail {
std::uint32_t key_hash_table_entry(std::uint8_t index) { return kTable[index]; }
}  // namespace detail

}  // namespace quellwarden
