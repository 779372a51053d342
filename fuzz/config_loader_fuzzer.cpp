// Fuzzes the configuration loader with arbitrary file contents inside the stand-in host: every
// load must leave the tables as they were or hold exactly the new configuration, and give back
// every block of the game's allocator once the tables are cleared.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"
#include "config/document.h"
#include "config/evaluation.h"
#include "config/loader.h"
#include "host/fstring.h"
#include "host/widen.h"
#include "log/plugin_log.h"
#include "standin/standin.h"
#include "text/printable.h"

namespace {

using quellwarden::DelayTable;
using quellwarden::config::Configuration;
using quellwarden::config::DelayEntry;
using quellwarden::config::DelayTables;

// A table's contents as (class name, unlock time), sorted: slot order is not the point here.
using Contents = std::vector<std::pair<std::u16string, std::int64_t>>;

struct State {
  std::int64_t wipe_timestamp = 0;
  Contents riding;
  Contents taming;
  bool operator==(const State&) const = default;
};

// The scratch working directory, removed on the way out, a failed check included.
std::filesystem::path scratch_directory;

void remove_scratch_directory() noexcept {
  std::error_code ignored;
  if (!scratch_directory.empty()) std::filesystem::remove_all(scratch_directory, ignored);
}

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "config_loader_fuzzer: %s\n", what.c_str());
  remove_scratch_directory();
  std::abort();
}

Contents contents_of(const DelayTable& table) {
  Contents out;
  table.for_each([&](std::int32_t, std::u16string_view key, std::int64_t unlock_time) {
    out.emplace_back(std::u16string(key), unlock_time);
  });
  std::sort(out.begin(), out.end());
  return out;
}

// The live tables a load replaces, and the log it writes to, as the plugin holds them.
DelayTables& live() {
  static DelayTables tables;
  return tables;
}
quellwarden::PluginLog& plugin_log() {
  static quellwarden::PluginLog log;
  return log;
}

State current_state() {
  return {live().wipe_timestamp, contents_of(live().riding.table),
          contents_of(live().taming.table)};
}

// What a table must hold after adding `entries` in order, built by a table of its own: which keys
// count as equal is the table's business (a to z always; other letters when they share a chain).
Contents expected_contents(const std::vector<DelayEntry>& entries) {
  DelayTable table;
  for (const DelayEntry& entry : entries) {
    table.add(quellwarden::host::widen(entry.class_name), entry.unlock_time);
  }
  return contents_of(table);
}

// Every configured class name must be found in the table loaded from it.
void expect_all_found(const DelayTable& table, const std::vector<DelayEntry>& entries) {
  for (const DelayEntry& entry : entries) {
    const FString key = quellwarden::host::widen(entry.class_name);
    if (table.find(quellwarden::key_hash(key), key) == -1) {
      fail("class \"" + entry.class_name + "\" is missing from its table");
    }
  }
}

// The outcome the loader owes for `text`: the new state, or the refusal's text.
struct Expected {
  std::optional<State> applied;
  std::string refusal;
  Configuration configuration;
};

Expected expected_outcome(const std::string& text) {
  const quellwarden::config::Document document = quellwarden::config::read_document(text);
  if (document.parse_error) {
    return {std::nullopt,
            "Config has parsing ERROR! " + quellwarden::printable(*document.parse_error),
            {}};
  }
  // The diagnostics see every file the loader reads; none of them may fail on it.
  auto evaluation = quellwarden::config::evaluate(text, {1700000000});
  if (evaluation.refusal) return {std::nullopt, evaluation.refusal->text, {}};
  Configuration& configuration = *evaluation.configuration;
  State applied{configuration.wipe_timestamp, expected_contents(configuration.riding),
                expected_contents(configuration.taming)};
  return {std::move(applied), {}, std::move(configuration)};
}

// A scratch working directory holding the plugin's configuration folder, and a plugin log on a
// host without sinks; what the process holds of the game's allocator at rest is the baseline.
class Harness {
 public:
  Harness() {
    // In memory when the system offers it: a file system that writes back a truncated and
    // rewritten file on close would make every input wait for the disk.
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? "/dev/shm"
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "quellwarden-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) fail("cannot make a scratch directory");
    directory_ = pattern;
    scratch_directory = directory_;
    std::filesystem::create_directories(directory_ / "ArkApi" / "Plugins" / "Quellwarden");
    std::filesystem::current_path(directory_);
    plugin_log().create("Quellwarden");
    baseline_blocks_ = standin::allocator_stats().live_blocks;
  }
  ~Harness() { remove_scratch_directory(); }
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  void write_config(const std::uint8_t* data, std::size_t size) const {
    std::ofstream out(directory_ / "ArkApi" / "Plugins" / "Quellwarden" / "config.json",
                      std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) fail("cannot write config.json");
  }

  void expect_blocks_back() const {
    const std::size_t live = standin::allocator_stats().live_blocks;
    if (live != baseline_blocks_) {
      fail("the game's allocator holds " + std::to_string(live) + " blocks after a clear, " +
           std::to_string(baseline_blocks_) + " before the first load");
    }
  }

 private:
  std::filesystem::path directory_;
  std::size_t baseline_blocks_ = 0;
};

Harness& harness() {
  static Harness instance;
  return instance;
}

// A configuration already in force, so that "unchanged" means something.
void load_previous_configuration() {
  live().wipe_timestamp = 1700000000;
  live().riding.table.add(FString("Rex_Character_BP_C"), 1700172800);
  live().taming.table.add(FString("Rex_Character_BP_C"), 1700086400);
  live().taming.table.add(FString("Giga_Character_BP_C"), 1700259200);
}

void check_outcome(const Expected& expected, const State& before,
                   const quellwarden::config::LoadOutcome& outcome) {
  const State after = current_state();
  if (!expected.applied) {
    if (outcome.applied()) fail("a refused configuration was applied");
    if (outcome.refusal->text != expected.refusal) fail("expected the refusal " + expected.refusal);
    if (after != before) fail("a refused load changed the tables or the wipe timestamp");
  } else {
    if (!outcome.applied()) fail("a valid configuration was refused: " + outcome.refusal->text);
    if (after != *expected.applied) fail("the tables differ from the configuration read");
    expect_all_found(live().riding.table, expected.configuration.riding);
    expect_all_found(live().taming.table, expected.configuration.taming);
  }
}

void run_one(const std::uint8_t* data, std::size_t size) {
  Harness& scratch = harness();
  scratch.write_config(data, size);
  load_previous_configuration();
  const State before = current_state();
  const Expected expected =
      expected_outcome(std::string(reinterpret_cast<const char*>(data), size));

  check_outcome(expected, before,
                quellwarden::config::load_configuration(live(), plugin_log(), 1700000000));

  DelayTable().swap(live().riding.table);
  DelayTable().swap(live().taming.table);
  scratch.expect_blocks_back();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  run_one(data, size);
  return 0;
}
