// Each list sorted by unlock time, then class name, so the next class to be released comes first.
#include "plugin/status_report.h"

#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <tuple>

#include "config/time_text.h"
#include "config/version.h"
#include "host/utf8.h"
#include "log/printable.h"

namespace quellwarden {
namespace {

struct Entry {
  std::string class_name;  // UTF-8
  std::int64_t unlock_time;
};

std::vector<Entry> sorted_entries(const DelayTable& table) {
  std::vector<Entry> entries;
  table.for_each([&](std::u16string_view key, std::int64_t unlock_time) {
    entries.push_back({host::encode_utf8(key), unlock_time});
  });
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return std::tie(a.unlock_time, a.class_name) < std::tie(b.unlock_time, b.class_name);
  });
  return entries;
}

std::string entry_line(const char* list, const Entry& entry, std::int64_t now) {
  const std::string name = printable(entry.class_name);
  if (entry.unlock_time > now) {
    return fmt::format("{} {}: locked until {} ({} left)", list, name,
                       config::utc_text(entry.unlock_time),
                       config::left_text(config::seconds_between(now, entry.unlock_time)));
  }
  return fmt::format("{} {}: released at {}", list, name, config::utc_text(entry.unlock_time));
}

void add_list(std::vector<std::string>& lines, const char* list, const DelayTable& table,
              std::int64_t now) {
  const std::vector<Entry> entries = sorted_entries(table);
  if (entries.empty()) {
    lines.push_back(fmt::format("{}: no classes", list));
  }
  for (const Entry& entry : entries) {
    lines.push_back(entry_line(list, entry, now));
  }
}

std::string headline(const PluginState& state, std::int64_t now) {
  if (!state.in_force) {
    return fmt::format("Quellwarden {}: no configuration in force; nothing is held back", kVersion);
  }
  const std::int64_t wipe = state.tables.wipe_timestamp;
  return fmt::format("Quellwarden {}: wipe {} ({}), now {}", kVersion, config::utc_text(wipe), wipe,
                     config::utc_text(now));
}

nlohmann::ordered_json entries_json(const DelayTable& table, std::int64_t now) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Entry& entry : sorted_entries(table)) {
    const bool locked = entry.unlock_time > now;
    list.push_back(
        {{"class", entry.class_name},
         {"unlock", entry.unlock_time},
         {"locked", locked},
         {"seconds_left", locked ? config::seconds_between(now, entry.unlock_time) : 0U}});
  }
  return list;
}

}  // namespace

std::vector<std::string> status_lines(const PluginState& state, std::int64_t now) {
  std::vector<std::string> lines{headline(state, now)};
  if (state.last_load && !state.last_load->ok) {
    lines.push_back(fmt::format(
        "last load failed at {}: {}; {}", config::utc_text(state.last_load->time),
        printable(state.last_load->error),
        state.in_force ? "the previous configuration is still in force" : "nothing is held back"));
  }
  if (state.in_force) {
    add_list(lines, "riding", state.tables.riding, now);
    add_list(lines, "taming", state.tables.taming, now);
  }
  if (state.host_failures > 0) {
    lines.push_back(fmt::format("the host failed the gates {} {}; the game decided alone",
                                state.host_failures, state.host_failures == 1 ? "time" : "times"));
  }
  for (const config::Diagnostic& diagnostic : state.diagnostics) {
    lines.push_back("warning: " + printable(diagnostic.text));
  }
  return lines;
}

std::string status_json(const PluginState& state, std::int64_t now) {
  nlohmann::ordered_json status;
  status["version"] = kVersion;
  status["now"] = now;
  status["wipe_timestamp"] =
      state.in_force ? nlohmann::ordered_json(state.tables.wipe_timestamp) : nullptr;
  status["riding"] = entries_json(state.tables.riding, now);
  status["taming"] = entries_json(state.tables.taming, now);
  status["warnings"] = nlohmann::ordered_json::array();
  for (const config::Diagnostic& diagnostic : state.diagnostics) {
    status["warnings"].push_back({{"code", config::code_name(diagnostic.code)},
                                  {"path", diagnostic.path},
                                  {"text", diagnostic.text}});
  }
  status["host_failures"] = state.host_failures;
  if (state.last_load) {
    const LoadRecord& load = *state.last_load;
    status["last_load"] = {
        {"time", load.time},
        {"ok", load.ok},
        {"error", load.ok ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(load.error)}};
  } else {
    status["last_load"] = nullptr;
  }
  return status.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace quellwarden
