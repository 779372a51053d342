// Loading a configuration of 100,000 entries through the real loader, against parsing the same
// file with nlohmann/json alone, with the memory each takes; a third step, parse and read without
// touching the tables, shows where the loader's own time goes. None of the file's class names is
// the game's, as with a large mod, so every load also holds each against the game's list: the
// fourth step shows that check alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_world.h"
#include "bench/heap_counter.h"
#include "bench/large_config.h"
#include "config/config_reader.h"
#include "config/creature_classes.h"
#include "config/document.h"
#include "plugin/plugin_state.h"

namespace {

// The heap is metered in one untimed run before the timed ones: counting costs time of its own.
// The game's blocks still held after it (the tables, for the whole load) are counted beside.
template <typename Step>
void run(benchmark::State& state, Step step) {
  const std::filesystem::path file = bench::write_large_config();
  bench::HeapUse use;
  {
    const bench::HeapMeter meter;
    step(file);
    use = meter.use();
  }
  for (auto _ : state) {
    step(file);
  }
  state.counters["heap_peak_MiB"] = static_cast<double>(use.peak_bytes) / (1024.0 * 1024.0);
  state.counters["heap_allocs"] = static_cast<double>(use.allocations);
  state.counters["game_live_MiB"] = static_cast<double>(use.game_bytes) / (1024.0 * 1024.0);
  state.counters["game_blocks"] = static_cast<double>(use.game_blocks);
  state.counters["file_MiB"] =
      static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
}

void load_config(benchmark::State& state) {
  run(state, [](const std::filesystem::path&) {
    if (!quellwarden::LoadConfig().applied()) throw std::runtime_error("large config not applied");
  });
  state.counters["entries"] = quellwarden::plugin_state().tables.riding.table.element_count() +
                              quellwarden::plugin_state().tables.taming.table.element_count();
  quellwarden::DelayTable().swap(quellwarden::plugin_state().tables.riding.table);
  quellwarden::DelayTable().swap(quellwarden::plugin_state().tables.taming.table);
}

void parse_only(benchmark::State& state) {
  run(state, [](const std::filesystem::path& file) {
    std::ifstream in(file);
    nlohmann::json document;
    in >> document;
    benchmark::DoNotOptimize(document);
  });
}

void parse_and_read(benchmark::State& state) {
  run(state, [](const std::filesystem::path& file) {
    // Read as the loader reads it: the whole file at once.
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const quellwarden::config::Document document = quellwarden::config::read_document(bytes);
    benchmark::DoNotOptimize(quellwarden::config::read_all(document));
  });
}

void class_check(benchmark::State& state) {
  std::vector<std::string> names;
  names.reserve(2 * bench::kEntriesPerList);
  for (int entry = 0; entry < 2 * bench::kEntriesPerList; ++entry) {
    names.push_back("Dino" + std::to_string(entry) + "_Character_BP_C");
  }
  for (auto _ : state) {
    for (const std::string& name : names) {
      benchmark::DoNotOptimize(quellwarden::config::match_game_class(name));
    }
  }
}

BENCHMARK(load_config)->Name("load/load_config")->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(parse_only)->Name("load/nlohmann_parse")->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(parse_and_read)->Name("load/parse_and_read")->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(class_check)->Name("load/class_check")->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
