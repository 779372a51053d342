// Names of the game's shape and hours spread over 1,000 values, so that the file parses and loads
// like a real one, only longer. Each entry says it is a mod's class ("ModClass"), as a list of so
// many classes beyond the game's does; unmarked, each would get its own unknown_class warning.
#include "bench/large_config.h"

#include <string>

#include "bench/bench_world.h"

namespace bench {
namespace {

std::string large_config() {
  std::string text = R"({"WipeTimestamp": 1700000000, "DinoSettings": {)";
  for (const char* list : {"DisallowRiding", "DisallowTaming"}) {
    text += std::string(list == std::string("DisallowRiding") ? "" : ", ") + "\"" + list + "\": {";
    for (int entry = 0; entry < kEntriesPerList; ++entry) {
      text += (entry == 0 ? "\"Dino" : ", \"Dino") + std::to_string(entry) +
              R"(_Character_BP_C": {"HoursToDelay": )" + std::to_string(entry % 1000) +
              R"(, "ModClass": true})";
    }
    text += "}";
  }
  return text + "}}";
}

}  // namespace

// Written again before each run: the gate benchmarks use the same file for their own, small one.
std::filesystem::path write_large_config() {
  static const std::string text = large_config();
  start_plugin();
  return write_config(text);
}

}  // namespace bench
