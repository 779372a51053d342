// Loading a configuration of 100,000 entries through the real loader, against parsing the same
// file with nlohmann/json alone, with the memory each takes; a third step, parse and read without
// touching the tables, shows where the loader's own time goes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "bench/bench_world.h"
#include "bench/heap_counter.h"
#include "config/config_reader.h"
#include "plugin/plugin_state.h"
#include "standin/standin.h"

namespace {

constexpr int kEntriesPerList = 50000;

// 50,000 riding and 50,000 taming entries, names of the game's shape.
std::string large_config() {
  std::string text = R"({"WipeTimestamp": 1700000000, "DinoSettings": {)";
  for (const char* list : {"DisallowRiding", "DisallowTaming"}) {
    text += std::string(list == std::string("DisallowRiding") ? "" : ", ") + "\"" + list + "\": {";
    for (int entry = 0; entry < kEntriesPerList; ++entry) {
      text += (entry == 0 ? "\"Dino" : ", \"Dino") + std::to_string(entry) +
              R"(_Character_BP_C": {"HoursToDelay": )" + std::to_string(entry % 1000) + "}";
    }
    text += "}";
  }
  return text + "}}";
}

// Written again before each run: the gate benchmarks use the same file for their own, small one.
std::filesystem::path write_large_config() {
  static const std::string text = large_config();
  bench::start_plugin();
  return bench::write_config(text);
}

// The heap is metered in one untimed run before the timed ones: counting costs time of its own.
template <typename Step>
void run(benchmark::State& state, Step step) {
  const std::filesystem::path file = write_large_config();
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
  state.counters["file_MiB"] =
      static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
}

void load_config(benchmark::State& state) {
  run(state, [](const std::filesystem::path&) {
    if (!quellwarden::LoadConfig().applied()) throw std::runtime_error("large config not applied");
  });
  const standin::AllocatorStats game = standin::allocator_stats();
  state.counters["game_live_MiB"] = static_cast<double>(game.live_bytes) / (1024.0 * 1024.0);
  state.counters["game_blocks"] = static_cast<double>(game.live_blocks);
  state.counters["entries"] = quellwarden::plugin_state().tables.riding.element_count() +
                              quellwarden::plugin_state().tables.taming.element_count();
  quellwarden::plugin_state().tables.riding.clear();
  quellwarden::plugin_state().tables.taming.clear();
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
    std::ifstream in(file);
    const quellwarden::config::ParseResult parsed = quellwarden::config::parse_document(in);
    benchmark::DoNotOptimize(quellwarden::config::read_configuration(parsed.document));
  });
}

BENCHMARK(load_config)->Name("load/load_config")->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(parse_only)->Name("load/nlohmann_parse")->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(parse_and_read)->Name("load/parse_and_read")->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
