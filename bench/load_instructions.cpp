// Counts the instructions of one whole load of the benchmark's 100,000-entry file, and of parsing
// the same file with nlohmann/json alone, under valgrind's callgrind: instruction counts hold on a
// shared machine where times do not.
// Run as: valgrind --tool=callgrind --callgrind-out-file=<file> quellwarden_load_instructions
// Each step is dumped as "load/<step>"; "load/nothing" is the cost of the counting itself.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "bench/large_config.h"
#include "plugin/plugin_state.h"

namespace {

void parse_alone(const std::filesystem::path& file) {
  std::ifstream in(file);
  nlohmann::json document;
  in >> document;
}

void load_whole() {
  if (!quellwarden::LoadConfig().applied()) {
    std::fprintf(stderr, "the large configuration was not applied\n");
    std::exit(1);
  }
}

// The first run of each step binds symbols lazily and grows the game's records; it is not counted.
template <typename Step>
void measure(const char* label, Step step) {
  step();
  CALLGRIND_ZERO_STATS;
  step();
  CALLGRIND_DUMP_STATS_AT(label);
}

}  // namespace

int main() {
  if (RUNNING_ON_VALGRIND == 0) {
    std::fprintf(stderr, "run under valgrind --tool=callgrind; see the top of %s\n", __FILE__);
    return 2;
  }
  const std::filesystem::path file = bench::write_large_config();
  measure("load/nothing", [] {});
  measure("load/nlohmann_parse", [&] { parse_alone(file); });
  measure("load/load_config", load_whole);
  std::printf("{\"decisions\": 1, \"runs\": {}}\n");
  return 0;
}
