// The loader reads, checks and builds everything before it touches the live tables, so a reload
// of a broken file never releases classes that were held back.
#include "config/loader.h"

#include <filesystem>
#include <fstream>
#include <type_traits>
#include <utility>
#include <variant>

#include "config/ascii_fold.h"
#include "config/config_reader.h"
#include "config/document.h"
#include "config/vocabulary.h"
#include "host/widen.h"
#include "log/printable.h"

namespace quellwarden::config {
namespace {

LoadOutcome refused(std::string text) { return {Refusal{std::move(text), {}, {}}, {}}; }

// The whole file in one read; nothing when it cannot be opened or read.
std::optional<std::string> read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file.is_open()) return std::nullopt;
  const std::streamoff size = file.tellg();
  if (size < 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  file.seekg(0);
  if (!file.read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

// A later entry replaces an earlier one that differs only in letter case, display name included.
void fill(DelayTable& table, DisplayNames& names, const std::vector<DelayEntry>& entries) {
  for (const DelayEntry& entry : entries) {
    table.add(host::widen(entry.class_name), entry.unlock_time);
    if (!entry.display_name.empty()) {
      names.insert_or_assign(ascii_folded(entry.class_name), entry.display_name);
    } else if (!names.empty()) {
      names.erase(ascii_folded(entry.class_name));
    }
  }
}

// The working directory is read anew on every load, so a server that changes it reads elsewhere.
LoadOutcome load(DelayTables& live, const PluginLog& log, std::int64_t now) {
  std::error_code error;
  const std::filesystem::path directory = std::filesystem::current_path(error);
  if (error) {
    // Worded as the runtime words its own error, "current_path()" on every platform.
    return refused(printable(std::filesystem::filesystem_error("current_path()", error).what()));
  }
  const std::optional<std::string> bytes =
      read_file(directory / kArkApiFolder / kPluginsFolder / kPluginFolder / kConfigFileName);
  if (!bytes) return refused(kOpenFailure);
  const Document document = read_document(*bytes);
  if (document.parse_error) {
    // The library quotes the bytes it stopped at; DEL among them would pass its own escaping.
    return refused(kParseFailure + printable(*document.parse_error));
  }
  std::variant<Configuration, Refusal> reading = read_configuration(document);
  if (auto* refusal = std::get_if<Refusal>(&reading)) return {std::move(*refusal), {}};
  Configuration& configuration = std::get<Configuration>(reading);
  DelayTables fresh;
  fill(fresh.riding, fresh.riding_names, configuration.riding);
  fill(fresh.taming, fresh.taming_names, configuration.taming);
  fresh.wipe_timestamp = configuration.wipe_timestamp;
  fresh.notices = std::move(configuration.notices);
  std::vector<Diagnostic> diagnostics = diagnose(document, &configuration, now);
  // Everything that can fail is done: from here on the load applies, whatever happens.
  live.swap(fresh);
  try {
    for (const DelayEntry& entry : configuration.riding) {
      const std::string_view name = entry.class_name;
      if (needs_escape(name)) {
        log.info(kAddingClass, printable(name));
      } else {
        log.info(kAddingClass, name);
      }
    }
  } catch (...) {
    // A line the log could not take changes nothing about what was loaded.
  }
  return {std::nullopt, std::move(diagnostics)};
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

// The host failing a call and exhausted memory arrive as exceptions from the tables; they refuse
// the file like any error in it.
LoadOutcome load_configuration(DelayTables& live, const PluginLog& log, std::int64_t now) {
  try {
    return load(live, log, now);
  } catch (const std::exception& error) {
    return refused(printable(error.what()));
  }
}

}  // namespace quellwarden::config
