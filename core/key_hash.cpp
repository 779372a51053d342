// The delay table's key hash: the host's CRC-style hash with ASCII letters folded to upper case.
#include <array>
#include <cstddef>

#include "core/delay_table.h"
#include "core/same_class.h"

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

// The update h = (h >> 8) ^ T[(h ^ byte) & 0xFF] is linear over GF(2): the hash of a text is the
// XOR of what each byte contributes, given how many bytes follow it, and of what the running hash
// becomes after them. Slice k is what a byte contributes when k more bytes follow it.
constexpr std::size_t kBlockUnits = 8;
constexpr std::array<ByteTable, 2 * kBlockUnits> make_slices() {
  std::array<ByteTable, 2 * kBlockUnits> slices{};
  slices[0] = make_table();
  for (std::size_t k = 1; k < slices.size(); ++k) {
    for (std::size_t i = 0; i < 256; ++i) {
      slices[k][i] = (slices[k - 1][i] >> 8) ^ slices[0][slices[k - 1][i] & 0xFF];
    }
  }
  return slices;
}

constexpr std::array<ByteTable, 2 * kBlockUnits> kSlices = make_slices();

// What a unit below 0x100 (nearly every unit of a class name) contributes, a to z folded, when j
// more units follow it: its low byte alone, as a high byte of 0 adds nothing. One look-up a unit.
constexpr std::array<ByteTable, kBlockUnits> make_narrow_units() {
  std::array<ByteTable, kBlockUnits> units{};
  for (std::size_t j = 0; j < units.size(); ++j) {
    for (std::uint32_t unit = 0; unit < 256; ++unit) {
      units[j][unit] = kSlices[2 * j + 1][fold_ascii(unit)];
    }
  }
  return units;
}

constexpr std::array<ByteTable, kBlockUnits> kNarrowUnits = make_narrow_units();

constexpr std::uint64_t kHighBytes = 0xFF00FF00FF00FF00;

// What a unit contributes when `after` more units follow it.
std::uint32_t unit_part(std::uint32_t unit, std::size_t after) {
  if (unit < 0x100) {
    return kNarrowUnits[after][unit];
  }
  return kSlices[2 * after + 1][unit & 0xFF] ^ kSlices[2 * after][unit >> 8];
}

// What the running hash becomes after `bytes` more bytes (an even count from 2 to 16) of 0.
std::uint32_t carried(std::uint32_t hash, std::size_t bytes) {
  if (bytes == 2) {
    return (hash >> 16) ^ kSlices[1][hash & 0xFF] ^ kSlices[0][(hash >> 8) & 0xFF];
  }
  return kSlices[bytes - 1][hash & 0xFF] ^ kSlices[bytes - 2][(hash >> 8) & 0xFF] ^
         kSlices[bytes - 3][(hash >> 16) & 0xFF] ^ kSlices[bytes - 4][hash >> 24];
}

// `count` units (1 to 8) after `hash`: the same value as the host's byte-at-a-time steps.
std::uint32_t add_units(std::uint32_t hash, const char16_t* units, std::size_t count) {
  std::uint32_t result = carried(hash, 2 * count);
  for (std::size_t unit = 0; unit < count; ++unit) {
    result ^= unit_part(units[unit], count - 1 - unit);
  }
  return result;
}

// Four narrow units of `word`, the last followed by `after` more units.
std::uint32_t narrow_four(std::uint64_t word, std::size_t after) {
  return kNarrowUnits[after + 3][word & 0xFF] ^ kNarrowUnits[after + 2][(word >> 16) & 0xFF] ^
         kNarrowUnits[after + 1][(word >> 32) & 0xFF] ^ kNarrowUnits[after][word >> 48];
}

// Eight units, with a look-up per unit when all are narrow.
std::uint32_t add_eight_units(std::uint32_t hash, const char16_t* units) {
  const std::uint64_t first = four_units(units);
  const std::uint64_t second = four_units(units + 4);
  if (((first | second) & kHighBytes) != 0) {
    return add_units(hash, units, kBlockUnits);
  }
  return carried(hash, 2 * kBlockUnits) ^ narrow_four(first, 4) ^ narrow_four(second, 0);
}

}  // namespace

// The units are every one before the terminating NUL, embedded NULs included.
std::uint32_t key_hash(std::u16string_view units) {
  std::uint32_t hash = 0;
  std::size_t at = 0;
  for (; at + kBlockUnits <= units.size(); at += kBlockUnits) {
    hash = add_eight_units(hash, units.data() + at);
  }
  if (at < units.size()) {
    hash = add_units(hash, units.data() + at, units.size() - at);
  }
  return hash;
}

namespace detail {
std::uint32_t key_hash_table_entry(std::uint8_t index) { return kSlices[0][index]; }
}  // namespace detail

}  // namespace quellwarden
