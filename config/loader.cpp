// The loader reads, checks and builds everything before it touches the live tables, so a reload
// of a broken file never releases classes that were held back.
#include "config/loader.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <type_traits>
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

static_assert(std::is_nothrow_swappable_v<std::optional<NoticeSettings>> &&
              std::is_nothrow_swappable_v<DisplayNames>);

void DelayTables::swap(DelayTables& other) noexcept {
  riding.swap(other.riding);
  taming.swap(other.taming);
  std::swap(wipe_timestamp, other.wipe_timestamp);
  notices.swap(other.notices);
  riding_names.swap(other.riding_names);
  taming_names.swap(other.taming_names);
}

namespace {

LoadOutcome refused(std::string text) { return {Refusal{std::move(text), {}, {}}, {}}; }

LoadOutcome load(DelayTables& live, const PluginLog& log, std::int64_t now) {
  std::ifstream file(config_path(), std::ios::binary);
  if (!file.is_open()) return refused(kOpenFailure);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  file.close();
  std::istringstream text(bytes);
  ParseResult parsed = parse_document(text);
  if (parsed.error) {
    // The library quotes the bytes it stopped at; DEL among them would pass its own escaping.
    return refused(kParseFailure + printable(*parsed.error));
  }
  const Configuration configuration = read_configuration(parsed.document);
  DelayTables fresh;
  fill(fresh.riding, fresh.riding_names, configuration.riding);
  fill(fresh.taming, fresh.taming_names, configuration.taming);
  fresh.wipe_timestamp = configuration.wipe_timestamp;
  fresh.notices = configuration.notices;
  std::vector<Diagnostic> diagnostics = diagnose(bytes, parsed.document, now);
  std::vector<std::string> added;
  for (const DelayEntry& entry : configuration.riding) {
    added.push_back(printable(entry.class_name));
  }
  // Everything that can fail is done: from here on the load applies, whatever happens.
  live.swap(fresh);
  try {
    for (const std::string& name : added) {
      log.info(kAddingClass, name);
    }
  } catch (...) {
    // A line the log could not take changes nothing about what was loaded.
  }
  return {std::nullopt, std::move(diagnostics)};
}

}  // namespace

// The host failing a call, exhausted memory and an unreadable working directory arrive as
// exceptions from below; they refuse the file like any error in it.
LoadOutcome load_configuration(DelayTables& live, const PluginLog& log, std::int64_t now) {
  try {
    return load(live, log, now);
  } catch (const std::exception& error) {
    return refused(printable(error.what()));
  }
}

}  // namespace quellwarden::config
