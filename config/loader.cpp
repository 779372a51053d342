// The loader reads, checks and builds everything before it touches the live tables, so a reload
// of a broken file never releases classes that were held back.
#include "config/loader.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>
#include <variant>

#include "config/evaluation.h"
#include "config/file_bytes.h"
#include "config/vocabulary.h"
#include "host/widen.h"
#include "text/printable.h"
#include "text/utf8_path.h"

namespace quellwarden::config {
namespace {

LoadOutcome refused(Refusal refusal, bool file_missing = false) {
  return {std::move(refusal), {}, {}, file_missing};
}

// A later entry of a class the table holds already takes its slot, display name and mod mark
// included.
void fill(ListTable& list, const std::vector<DelayEntry>& entries) {
  for (const DelayEntry& entry : entries) {
    const std::int32_t slot = list.table.add(host::widen(entry.class_name), entry.unlock_time);
    if (!entry.display_name.empty()) {
      list.names.insert_or_assign(slot, entry.display_name);
    } else if (!list.names.empty()) {
      list.names.erase(slot);
    }
    if (entry.mod_class) {
      list.mod_classes.insert(slot);
    } else if (!list.mod_classes.empty()) {
      list.mod_classes.erase(slot);
    }
  }
}

bool holds_back(const Configuration& configuration, std::int64_t now) {
  const auto ahead = [&](const DelayEntry& entry) { return entry.unlock_time > now; };
  return std::any_of(configuration.riding.begin(), configuration.riding.end(), ahead) ||
         std::any_of(configuration.taming.begin(), configuration.taming.end(), ahead);
}

// The wrong entries join their lists with an unlock time that never comes.
void hold_until_fixed(Configuration& configuration, const std::vector<HeldEntry>& held) {
  for (const HeldEntry& entry : held) {
    auto& list = entry.list == kDisallowRiding ? configuration.riding : configuration.taming;
    list.push_back({entry.class_name, 0, kNeverUnlocks, {}});
  }
}

void log_riding_classes(const Configuration& configuration, const PluginLog& log) noexcept {
  try {
    for (const DelayEntry& entry : configuration.riding) {
      log.info(kAddingClass, printable(entry.class_name));
    }
  } catch (...) {
    // A line the log could not take changes nothing about what was loaded.
  }
}

// Everything that can fail is done before the swap: from there on the load applies.
void apply(DelayTables& live, Configuration& configuration, std::vector<HeldEntry> held) {
  DelayTables fresh;
  fill(fresh.riding, configuration.riding);
  fill(fresh.taming, configuration.taming);
  fresh.wipe_timestamp = configuration.wipe_timestamp;
  fresh.notices = std::move(configuration.notices);
  fresh.announcements = std::move(configuration.announcements);
  fresh.bypass = std::move(configuration.bypass);
  fresh.refusal_asks_player = fresh.notices.has_value() || !fresh.bypass.empty();
  fresh.held_until_fixed = std::move(held);
  live.swap(fresh);
}

// The working directory is read anew on every load, so a server that changes it reads elsewhere.
LoadOutcome load(DelayTables& live, const PluginLog& log, std::int64_t now, const char* file_name,
                 Take take) {
  std::error_code error;
  const std::filesystem::path folder = plugin_folder(error);
  if (error) {
    // Worded as the runtime words its own error, "current_path()" on every platform.
    return refused(
        {printable(std::filesystem::filesystem_error("current_path()", error).what()), {}, {}});
  }
  const std::filesystem::path path = folder / file_name;
  FileBytes file = read_whole_file(path);
  if (!file.bytes) {
    return refused({kOpenFailure,
                    {},
                    {fmt::format(kOpenFailureHint, printable(utf8_of_path(path)), file.problem)}},
                   file.missing);
  }
  Evaluation evaluation = evaluate(*file.bytes, {now});
  if (evaluation.refusal && take == Take::salvage && evaluation.salvage) {
    Salvage& salvage = *evaluation.salvage;
    evaluation.document = {};
    hold_until_fixed(salvage.configuration, salvage.held);
    apply(live, salvage.configuration, std::move(salvage.held));
    log_riding_classes(salvage.configuration, log);
    LoadOutcome outcome = refused(std::move(*evaluation.refusal));
    outcome.diagnostics = std::move(evaluation.diagnostics);
    outcome.salvaged = true;
    return outcome;
  }
  if (evaluation.refusal) return refused(std::move(*evaluation.refusal));
  Configuration& configuration = *evaluation.configuration;
  if (take == Take::while_holding && !holds_back(configuration, now)) {
    LoadOutcome outcome = refused({});
    outcome.all_past = true;
    return outcome;
  }
  // The document is gone before the tables are filled: a large file never holds both at once.
  evaluation.document = {};
  apply(live, configuration, {});
  log_riding_classes(configuration, log);
  return {std::nullopt, std::move(evaluation.diagnostics), std::move(*file.bytes), false};
}

}  // namespace

static_assert(std::is_nothrow_swappable_v<std::optional<NoticeSettings>> &&
              std::is_nothrow_swappable_v<DisplayNames> &&
              std::is_nothrow_swappable_v<std::optional<AnnouncementSettings>> &&
              std::is_nothrow_swappable_v<ModClasses>);

void DelayTables::swap(DelayTables& other) noexcept {
  for (auto [mine, theirs] :
       {std::pair{&riding, &other.riding}, std::pair{&taming, &other.taming}}) {
    mine->table.swap(theirs->table);
    mine->names.swap(theirs->names);
    mine->mod_classes.swap(theirs->mod_classes);
  }
  std::swap(wipe_timestamp, other.wipe_timestamp);
  notices.swap(other.notices);
  announcements.swap(other.announcements);
  bypass.swap(other.bypass);
  std::swap(refusal_asks_player, other.refusal_asks_player);
  held_until_fixed.swap(other.held_until_fixed);
}

// The host failing a call and exhausted memory arrive as exceptions from the tables; they refuse
// the file like any error in it.
LoadOutcome load_configuration(DelayTables& live, const PluginLog& log, std::int64_t now,
                               const char* file_name, Take take) {
  try {
    return load(live, log, now, file_name, take);
  } catch (const std::exception& error) {
    return refused({printable(error.what()), {}, {}});
  }
}

std::string_view display_name_at(const DisplayNames& names, std::int32_t slot) {
  const auto found = names.find(slot);
  return found == names.end() ? std::string_view() : std::string_view(found->second);
}

std::filesystem::path plugin_folder(std::error_code& error) {
  const std::filesystem::path directory = std::filesystem::current_path(error);
  if (error) return {};
  return directory / kArkApiFolder / kPluginsFolder / kPluginFolder;
}

}  // namespace quellwarden::config
