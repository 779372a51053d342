// Finding a class in the delay table, key hash included as a gate computes it, at 10, 1,000 and
// 100,000 entries, against std::unordered_map with a case-folding hash: once with an inline
// compare, once with the same compare by name through the resolver that the table must use.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/delay_table.h"
#include "core/same_class.h"
#include "host/fstring.h"
#include "host/widen.h"
#include "standin/standin.h"

namespace {

constexpr std::size_t kProbes = 4096;

std::string class_name(std::int64_t index) {
  return "Dino" + std::to_string(index) + "_Character_BP_C";
}

// FNV-1a over the units with a to z folded, the usual choice for a case-insensitive map.
std::size_t folded_hash(std::u16string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char16_t unit : text) {
    hash = (hash ^ quellwarden::fold_ascii(unit)) * 1099511628211ULL;
  }
  return static_cast<std::size_t>(hash);
}

struct FoldedHash {
  std::size_t operator()(const std::u16string& text) const { return folded_hash(text); }
  std::size_t operator()(const FString& text) const { return folded_hash(text.view()); }
};

struct FoldedEqual {
  bool operator()(const std::u16string& left, const std::u16string& right) const {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char16_t a, char16_t b) {
                        return quellwarden::fold_ascii(a) == quellwarden::fold_ascii(b);
                      });
  }
};

struct GameEqual {
  bool operator()(const FString& left, const FString& right) const {
    return quellwarden::host::fstring_equal(left.raw(), right.raw());
  }
};

// Indexes of the entries probed, in a fixed random order, so no one chain stays in cache.
std::vector<std::int64_t> probe_indexes(std::int64_t entries) {
  std::vector<std::int64_t> indexes;
  std::mt19937_64 random(static_cast<std::uint64_t>(entries));
  for (std::size_t probe = 0; probe < kProbes; ++probe) {
    indexes.push_back(static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(entries)));
  }
  return indexes;
}

std::vector<FString> fstring_probes(std::int64_t entries) {
  std::vector<FString> probes;
  for (const std::int64_t index : probe_indexes(entries)) {
    probes.push_back(quellwarden::host::widen(class_name(index)));
  }
  return probes;
}

void delay_table_find(benchmark::State& state) {
  const std::int64_t entries = state.range(0);
  quellwarden::DelayTable table;
  for (std::int64_t index = 0; index < entries; ++index) {
    table.add(quellwarden::host::widen(class_name(index)), index);
  }
  const std::vector<FString> probes = fstring_probes(entries);
  const std::size_t compares_before = standin::compare_calls();
  std::size_t next = 0;
  for (auto _ : state) {
    const FString& probe = probes[next++ % kProbes];
    benchmark::DoNotOptimize(table.find(quellwarden::key_hash(probe), probe));
  }
  state.counters["compares"] =
      benchmark::Counter(static_cast<double>(standin::compare_calls() - compares_before) /
                         static_cast<double>(state.iterations()));
}

void unordered_map_find(benchmark::State& state) {
  const std::int64_t entries = state.range(0);
  std::unordered_map<std::u16string, std::int64_t, FoldedHash, FoldedEqual> map;
  for (std::int64_t index = 0; index < entries; ++index) {
    map.emplace(standin::utf8_to_utf16(class_name(index)), index);
  }
  std::vector<std::u16string> probes;
  for (const std::int64_t index : probe_indexes(entries)) {
    probes.push_back(standin::utf8_to_utf16(class_name(index)));
  }
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(map.find(probes[next++ % kProbes]));
  }
}

// The same map, but its keys compared as the table must compare them: by the game's function,
// reached by name on every use.
void unordered_map_game_compare_find(benchmark::State& state) {
  const std::int64_t entries = state.range(0);
  std::unordered_map<FString, std::int64_t, FoldedHash, GameEqual> map;
  for (std::int64_t index = 0; index < entries; ++index) {
    map.emplace(quellwarden::host::widen(class_name(index)), index);
  }
  const std::vector<FString> probes = fstring_probes(entries);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(map.find(probes[next++ % kProbes]));
  }
}

// The hashing alone, for the same probes: the table's hash against the map's.
void key_hash_only(benchmark::State& state) {
  const std::vector<FString> probes = fstring_probes(state.range(0));
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(quellwarden::key_hash(probes[next++ % kProbes]));
  }
}

void folded_hash_only(benchmark::State& state) {
  const std::vector<FString> probes = fstring_probes(state.range(0));
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(folded_hash(probes[next++ % kProbes].view()));
  }
}

BENCHMARK(delay_table_find)->Name("find/delay_table")->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(unordered_map_find)->Name("find/unordered_map")->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(unordered_map_game_compare_find)
    ->Name("find/unordered_map_game_compare")
    ->Arg(10)
    ->Arg(1000)
    ->Arg(100000);

BENCHMARK(key_hash_only)->Name("find/part/key_hash")->Arg(100000);
BENCHMARK(folded_hash_only)->Name("find/part/folded_hash")->Arg(100000);

}  // namespace
