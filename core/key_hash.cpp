// The delay table's key hash: the host's CRC-style hash with ASCII letters folded to upper case.
#include <array>

#include "core/delay_table.h"

namespace quellwarden {
namespace {

using ByteTable = std::array<std::uint32_t, 256>;

// The table is the left-shifting (MSB-first) one although the update below shifts right; the host
// pairs them this way, and a reflected CRC-32 table would put keys in other buckets than its own.
constexpr ByteTable make_table() {
  ByteTable table{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t remainder = byte << 24;
    for (int bit = 0; bit < 8; ++bit) {
      remainder = (remainder & 0x80000000U) != 0 ? (remainder << 1) ^ 0x04C11DB7U : remainder << 1;
    }
    table[byte] = remainder;
  }
  return table;
}

// The update h = (h >> 8) ^ T[(h ^ byte) & 0xFF] is linear over GF(2), so eight bytes can be taken
// in one step: slice k gives what a byte contributes when k more bytes follow it.
constexpr std::array<ByteTable, 8> make_slices() {
  std::array<ByteTable, 8> slices{};
  slices[0] = make_table();
  for (std::size_t k = 1; k < slices.size(); ++k) {
    for (std::size_t i = 0; i < 256; ++i) {
      slices[k][i] = (slices[k - 1][i] >> 8) ^ slices[0][slices[k - 1][i] & 0xFF];
    }
  }
  return slices;
}

constexpr std::array<ByteTable, 8> kSlices = make_slices();
constexpr const ByteTable& kTable = kSlices[0];

constexpr std::uint32_t fold(std::uint32_t unit) {
  return unit >= 0x61 && unit <= 0x7A ? unit - 0x20 : unit;
}

// One unit, low byte then high byte: the host's own step.
std::uint32_t add_unit(std::uint32_t hash, std::uint32_t unit) {
  hash = (hash >> 8) ^ kTable[(hash ^ (unit & 0xFF)) & 0xFF];
  return (hash >> 8) ^ kTable[(hash ^ (unit >> 8)) & 0xFF];
}

// Four units, the same value as four add_unit steps without their chain of dependent loads.
std::uint32_t add_four_units(std::uint32_t hash, const char16_t* units) {
  const std::uint32_t first = fold(units[0]) | (fold(units[1]) << 16);
  const std::uint32_t third = fold(units[2]);
  const std::uint32_t fourth = fold(units[3]);
  const std::uint32_t mixed = hash ^ first;
  return kSlices[7][mixed & 0xFF] ^ kSlices[6][(mixed >> 8) & 0xFF] ^
         kSlices[5][(mixed >> 16) & 0xFF] ^ kSlices[4][mixed >> 24] ^ kSlices[3][third & 0xFF] ^
         kSlices[2][third >> 8] ^ kSlices[1][fourth & 0xFF] ^ kSlices[0][fourth >> 8];
}

}  // namespace

std::uint32_t key_hash(const FStringData& key) {
  std::uint32_t hash = 0;
  // view() spans every unit before the terminating NUL, embedded NULs included.
  const std::u16string_view units = FString::view_of(key);
  std::size_t at = 0;
  for (; at + 4 <= units.size(); at += 4) {
    hash = add_four_units(hash, units.data() + at);
  }
  for (; at < units.size(); ++at) {
    hash = add_unit(hash, fold(units[at]));
  }
  return hash;
}

namespace detail {
std::uint32_t key_hash_table_entry(std::uint8_t index) { return kTable[index]; }
}  // namespace detail

}  // namespace quellwarden
