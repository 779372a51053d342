// Brings the plugin's pieces up inside the stand-in host the way the load sequence would, without
// loading the library: the benchmarks call the gates and the loader directly.
#include "bench/bench_world.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>

#include "host/asa_api.h"
#include "log/plugin_log.h"
#include "plugin/gate_hooks.h"
#include "plugin/plugin_state.h"
#include "standin/standin.h"

namespace bench {
namespace {

class ScratchDirectory {
 public:
  ScratchDirectory() {
    char pattern[] = "/tmp/quellwarden-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot make a scratch directory");
    root_ = pattern;
    std::filesystem::create_directories(config_folder());
    std::filesystem::current_path(root_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  std::filesystem::path config_folder() const {
    return root_ / "ArkApi" / "Plugins" / "Quellwarden";
  }

 private:
  std::filesystem::path root_;
};

ScratchDirectory& scratch() {
  static ScratchDirectory directory;
  return directory;
}

}  // namespace

std::int64_t unix_now() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::filesystem::path write_config(const std::string& text) {
  const std::filesystem::path file = scratch().config_folder() / "config.json";
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file;
}

void start_plugin(bool books) {
  static const bool started = [books] {
    // Before the first block of the game's allocator: the books must see all blocks or none.
    standin::keep_books(books);
    scratch();
    quellwarden::plugin_state().log.create("Quellwarden");
    // As the plugin's start does, so that the answers count the gates as in place.
    quellwarden::install_missing_gates();
    return true;
  }();
  static_cast<void>(started);
}

}  // namespace bench
