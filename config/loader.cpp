// The loader reads and checks the whole file before it touches anything, so a reload of a broken
// file never releases classes that were held back.
#include "config/loader.h"

#include <filesystem>
#include <fstream>

#include "config/config_reader.h"
#include "core/plugin_state.h"
#include "host/widen.h"
#include "log/plugin_log.h"

namespace quellwarden {
namespace {

constexpr const char* kOpenFailure = "Config failed to open";
constexpr const char* kParseFailure = "Config has parsing ERROR! ";

// The working directory is read anew on every load, so a server that changes it reads elsewhere.
// Its error names "current_path()" on every platform's runtime.
std::filesystem::path config_path() {
  std::error_code error;
  std::filesystem::path directory = std::filesystem::current_path(error);
  if (error) {
    throw std::filesystem::filesystem_error("current_path()", error);
  }
  return directory / "ArkApi" / "Plugins" / "Quellwarden" / "config.json";
}

void apply(const config::Configuration& configuration) {
  wipe_timestamp = configuration.wipe_timestamp;
  riding_table.clear();
  taming_table.clear();
  for (const config::DelayEntry& entry : configuration.riding) {
    riding_table.add(host::widen(entry.class_name), entry.unlock_time);
    plugin_log_handle()->info("Adding a {}", entry.class_name);
  }
  for (const config::DelayEntry& entry : configuration.taming) {
    taming_table.add(host::widen(entry.class_name), entry.unlock_time);
  }
}

}  // namespace

LoadOutcome LoadConfig() {
  std::ifstream file(config_path());
  if (!file.is_open()) {
    log_error_text(kOpenFailure);
    return {kOpenFailure};
  }
  config::ParseResult parsed = config::parse_document(file);
  file.close();
  if (parsed.error) {
    plugin_log_handle()->error("Config has parsing ERROR! {}", *parsed.error);
    return {kParseFailure + *parsed.error};
  }
  apply(config::read_configuration(parsed.document));
  return {};
}

}  // namespace quellwarden
