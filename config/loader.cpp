// The loader reads, checks and builds everything before it touches the live tables, so a reload
// of a broken file never releases classes that were held back.
#include "config/loader.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "config/config_reader.h"
#include "config/effective_entries.h"
#include "config/vocabulary.h"
#include "host/widen.h"
#include "log/printable.h"

namespace quellwarden::config {
namespace {

// The working directory is read anew on every load, so a server that changes it reads elsewhere.
// Its error names "current_path()" on every platform's runtime.
std::filesystem::path config_path() {
  std::error_code error;
  std::filesystem::path directory = std::filesystem::current_path(error);
  if (error) {
    throw std::filesystem::filesystem_error("current_path()", error);
  }
  return directory / kArkApiFolder / kPluginsFolder / kPluginFolder / kConfigFileName;
}

// A later entry replaces an earlier one that differs only in letter case, display name included.
void fill(DelayTable& table, DisplayNames& names, const std::vector<DelayEntry>& entries) {
  for (const DelayEntry& entry : entries) {
    table.add(host::widen(entry.class_name), entry.unlock_time);
    if (entry.display_name.empty()) {
      names.erase(ascii_folded(entry.class_name));
    } else {
      names.insert_or_assign(ascii_folded(entry.class_name), entry.display_name);
    }
  }
}

}  // namespace

void DelayTables::swap(DelayTables& other) noexcept {
  riding.swap(other.riding);
  taming.swap(other.taming);
  std::swap(wipe_timestamp, other.wipe_timestamp);
  notices.swap(other.notices);
  riding_names.swap(other.riding_names);
  taming_names.swap(other.taming_names);
}

LoadOutcome load_configuration(DelayTables& live, const PluginLog& log, std::int64_t now) {
  std::ifstream file(config_path(), std::ios::binary);
  if (!file.is_open()) {
    log.error_text(kOpenFailure);
    return {kOpenFailure, {}};
  }
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  file.close();
  std::istringstream text(bytes);
  ParseResult parsed = parse_document(text);
  if (parsed.error) {
    log.error("{}{}", kParseFailure, *parsed.error);
    return {kParseFailure + *parsed.error, {}};
  }
  const Configuration configuration = read_configuration(parsed.document);
  DelayTables fresh;
  fill(fresh.riding, fresh.riding_names, configuration.riding);
  fill(fresh.taming, fresh.taming_names, configuration.taming);
  fresh.wipe_timestamp = configuration.wipe_timestamp;
  fresh.notices = configuration.notices;
  std::vector<Diagnostic> diagnostics = diagnose(bytes, parsed.document, now);
  live.swap(fresh);
  for (const DelayEntry& entry : configuration.riding) {
    log.info(kAddingClass, printable(entry.class_name));
  }
  return {std::nullopt, std::move(diagnostics)};
}

}  // namespace quellwarden::config
