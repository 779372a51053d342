// The delay table's key hash: the host's CRC-style hash with ASCII letters folded to upper case.
#include "core/key_hash.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

#include "host/compiler.h"
#include "text/ascii_fold.h"

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

constexpr ByteTable kTable = make_table();

constexpr std::uint32_t add_byte(std::uint32_t hash, std::uint32_t byte) {
  return (hash >> 8) ^ kTable[(hash ^ byte) & 0xFF];
}

// The host's definition, a byte at a time: what every other way here must agree with.
std::uint32_t hash_bytewise(std::u16string_view units, std::uint32_t hash = 0) {
  for (const char16_t unit : units) {
    const std::uint32_t folded = fold_ascii(unit);
    hash = add_byte(add_byte(hash, folded & 0xFF), folded >> 8);
  }
  return hash;
}

// The update is linear over GF(2): a text's hash is the XOR of what each unit contributes given
// how many bytes follow it, and of what the hash before the text becomes after them. A byte b
// with n bytes after it contributes kAdvanced<n>[b]: its table entry carried through n zero bytes.
// Each row is a constant evaluation of its own, so no compiler meets its limit on one.
template <std::size_t Bytes>
constexpr ByteTable kAdvanced = [] {
  ByteTable row = kAdvanced<Bytes - 1>;
  for (std::uint32_t& entry : row) entry = add_byte(entry, 0);
  return row;
}();
template <>
constexpr ByteTable kAdvanced<0> = kTable;

// Nearly every class name is narrow (each unit below 0x100), and a narrow unit's contribution is
// one look-up of its low byte: kAfter[j][byte] with j units after it, a to z folded.
constexpr std::size_t kChunkUnits = 32;
using AfterTables = std::array<ByteTable, kChunkUnits>;

constexpr AfterTables kAfter = []<std::size_t... After>(std::index_sequence<After...>) {
  const auto folded = [](const ByteTable& row) {
    ByteTable out{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) out[byte] = row[fold_ascii(byte)];
    return out;
  };
  return AfterTables{folded(kAdvanced<2 * After + 1>)...};
}
(std::make_index_sequence<kChunkUnits>{});

// What a hash becomes after a whole chunk of units, a look-up per byte of it.
std::uint32_t carried(std::uint32_t hash) {
  constexpr std::size_t kLast = 2 * kChunkUnits - 1;
  return kAdvanced<kLast>[hash & 0xFF] ^ kAdvanced<kLast - 1>[(hash >> 8) & 0xFF] ^
         kAdvanced<kLast - 2>[(hash >> 16) & 0xFF] ^ kAdvanced<kLast - 3>[hash >> 24];
}

constexpr std::uint64_t kNotNarrow = std::uint64_t{1} << 32;

// Units `at`..`at`+3 in one word.
std::uint64_t four_units(const char16_t* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof(word));
  return word;
}

// The hash of `Count` units, or kNotNarrow when one of them is not narrow. Written out for each
// count, so a unit costs a byte load and one XOR from a table at a fixed place: 63 instructions
// for Rex_Character_BP_C, where a byte at a time takes 379, eight units a step 184 and a loop over
// these same tables 203. Only this keeps a gate's own work within 15% of the host work it owes
// (docs/benchmarks.md). It costs 17 KiB of code and 37 KiB of tables (the eight-unit steps took
// 1 KiB and 24 KiB).
template <std::size_t Count>
std::uint64_t narrow_hash(const char16_t* units) {
  constexpr std::uint64_t kHighBytes = 0xFF00FF00FF00FF00;
  const std::uint64_t high = [&]<std::size_t... Word>(std::index_sequence<Word...>) {
    if constexpr (Count < 4) {
      return std::uint64_t{(std::uint32_t{0} | ... | units[Word])};
    } else {
      // Four units a word, the last word ending at the last unit.
      return (four_units(units + Count - 4) | ... | four_units(units + 4 * Word));
    }
  }
  (std::make_index_sequence < Count < 4 ? Count : (Count - 1) / 4 > {});
  if ((high & kHighBytes) != 0) return kNotNarrow;
  return [&]<std::size_t... Unit>(std::index_sequence<Unit...>) {
    return (std::uint32_t{0} ^ ... ^
            kAfter[Count - 1 - Unit][static_cast<std::uint8_t>(units[Unit])]);
  }
  (std::make_index_sequence<Count>{});
}

// The hash of `Count` units, whatever they hold.
template <std::size_t Count>
std::uint32_t short_hash(const char16_t* units) {
  const std::uint64_t hash = narrow_hash<Count>(units);
  return hash == kNotNarrow ? hash_bytewise({units, Count}) : static_cast<std::uint32_t>(hash);
}

using ShortHash = std::uint32_t (*)(const char16_t*);
constexpr auto kShortHashes = []<std::size_t... Count>(std::index_sequence<Count...>) {
  return std::array<ShortHash, sizeof...(Count)>{&short_hash<Count>...};
}
(std::make_index_sequence<kChunkUnits + 1>{});

// A text longer than a chunk: the first chunk takes what is left over, each later one is whole.
// Out of line, so the usual short text's hash is one jump from key_hash.
QW_NOINLINE std::uint32_t long_hash(std::u16string_view units) {
  const std::size_t first = (units.size() - 1) % kChunkUnits + 1;
  std::uint32_t hash = kShortHashes[first](units.data());
  for (std::size_t at = first; at < units.size(); at += kChunkUnits) {
    const std::uint64_t chunk = narrow_hash<kChunkUnits>(units.data() + at);
    if (chunk == kNotNarrow) return hash_bytewise(units.substr(at), hash);
    hash = carried(hash) ^ static_cast<std::uint32_t>(chunk);
  }
  return hash;
}

}  // namespace

// The units are every one before the terminating NUL, embedded NULs included.
std::uint32_t key_hash(std::u16string_view units) {
  return units.size() <= kChunkUnits ? kShortHashes[units.size()](units.data()) : long_hash(units);
}

namespace detail {
std::uint32_t key_hash_table_entry(std::uint8_t index) { return kTable[index]; }
}  // namespace detail

}  // namespace quellwarden
