// The loader reads, checks and builds everything before it touches the live tables, so a reload
// of a broken file never releases classes that were held back.
#include "config/loader.h"

#include <fmt/format.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>
#include <variant>

#include "config/ascii_fold.h"
#include "config/config_reader.h"
#include "config/document.h"
#include "config/parse_hints.h"
#include "config/vocabulary.h"
#include "host/widen.h"
#include "log/printable.h"

namespace quellwarden::config {
namespace {

LoadOutcome refused(std::string text, std::string hint = {}) {
  return {Refusal{std::move(text), {}, std::move(hint)}, {}, {}, false};
}

// The whole file in one read, or why it could not be read as the system words it.
struct FileRead {
  std::optional<std::string> bytes;
  std::string reason;
  bool missing = false;  // nothing stands at the path
};

FileRead unread(const std::filesystem::path& path) {
  const int code = errno;
  std::error_code error;
  const bool missing = !std::filesystem::exists(path, error) && !error;
  return {std::nullopt, code != 0 ? std::generic_category().message(code) : "it cannot be read",
          missing};
}

FileRead read_file(const std::filesystem::path& path) {
  std::error_code ignored;
  // Some systems open a folder as a file and report a size no allocation can meet.
  if (std::filesystem::is_directory(path, ignored)) return {std::nullopt, "it is a folder", false};
  errno = 0;
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file.is_open()) return unread(path);
  const std::streamoff size = file.tellg();
  if (size < 0) return unread(path);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  file.seekg(0);
  if (!file.read(bytes.data(), size)) return unread(path);
  return {std::move(bytes), {}, false};
}

// The checker's likely causes of a parse error, on one line as the log and the status give them.
std::string parse_hint(std::string_view bytes) {
  std::string joined;
  for (const std::string& hint : parse_hints(bytes)) joined += (joined.empty() ? "" : "; ") + hint;
  return joined;
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
LoadOutcome load(DelayTables& live, const PluginLog& log, std::int64_t now, const char* file_name) {
  std::error_code error;
  const std::filesystem::path folder = plugin_folder(error);
  if (error) {
    // Worded as the runtime words its own error, "current_path()" on every platform.
    return refused(printable(std::filesystem::filesystem_error("current_path()", error).what()));
  }
  const std::filesystem::path path = folder / file_name;
  FileRead file = read_file(path);
  if (!file.bytes) {
    LoadOutcome outcome = refused(
        kOpenFailure, fmt::format(kOpenFailureHint, printable(path_text(path)), file.reason));
    outcome.file_missing = file.missing;
    return outcome;
  }
  std::variant<Configuration, Refusal> reading;
  std::vector<Diagnostic> diagnostics;
  {
    // The document is gone before the tables are filled: a large file never holds both at once.
    const Document document = read_document(*file.bytes);
    if (document.parse_error) {
      // The library quotes the bytes it stopped at; DEL among them would pass its own escaping.
      return refused(kParseFailure + printable(*document.parse_error), parse_hint(*file.bytes));
    }
    reading = read_configuration(document);
    if (auto* refusal = std::get_if<Refusal>(&reading)) return {std::move(*refusal), {}, {}, false};
    diagnostics = diagnose(document, &std::get<Configuration>(reading), now);
  }
  Configuration& configuration = std::get<Configuration>(reading);
  DelayTables fresh;
  fill(fresh.riding, fresh.riding_names, configuration.riding);
  fill(fresh.taming, fresh.taming_names, configuration.taming);
  fresh.wipe_timestamp = configuration.wipe_timestamp;
  fresh.notices = std::move(configuration.notices);
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
  return {std::nullopt, std::move(diagnostics), std::move(*file.bytes), false};
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
LoadOutcome load_configuration(DelayTables& live, const PluginLog& log, std::int64_t now,
                               const char* file_name) {
  try {
    return load(live, log, now, file_name);
  } catch (const std::exception& error) {
    return refused(printable(error.what()));
  }
}

std::string path_text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::filesystem::path plugin_folder(std::error_code& error) {
  const std::filesystem::path directory = std::filesystem::current_path(error);
  if (error) return {};
  return directory / kArkApiFolder / kPluginsFolder / kPluginFolder;
}

}  // namespace quellwarden::config
