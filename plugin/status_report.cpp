// Each list sorted by unlock time, then class name, so the next class to be released comes first.
#include "plugin/status_report.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <utility>

#include "config/creature_classes.h"
#include "config/report_json.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "host/game_functions.h"
#include "plugin/gate_hooks.h"
#include "plugin/gates.h"
#include "plugin/last_good.h"
#include "text/printable.h"
#include "text/quoted_text.h"
#include "version.h"

namespace quellwarden {
namespace {

using config::DelayEntry;

// The table's entries as the file gave them, those the request admits.
std::vector<DelayEntry> admitted(const PluginState& state, Gate gate, const StatusRequest& request,
                                 std::int64_t now) {
  std::vector<DelayEntry> entries = gate_entries(state.tables, gate);
  std::erase_if(entries, [&](const DelayEntry& entry) { return !request.admits(entry, now); });
  return entries;
}

// What is in force, the classes the request admits; nothing when no configuration is.
std::optional<config::Schedule> schedule_of(const PluginState& state, const StatusRequest& request,
                                            std::int64_t now) {
  if (!state.in_force) return std::nullopt;
  const config::DelayTables& tables = state.tables;
  return config::Schedule{tables.wipe_timestamp,
                          admitted(state, Gate::riding, request, now),
                          admitted(state, Gate::taming, request, now),
                          tables.notices,
                          tables.announcements,
                          tables.bypass};
}

// The entry of the list `gate` reads held back until config.json is fixed, if it is one.
const config::HeldEntry* held_entry(const PluginState& state, Gate gate, const DelayEntry& entry) {
  const std::string_view list_name =
      gate == Gate::riding ? config::kDisallowRiding : config::kDisallowTaming;
  for (const config::HeldEntry& held : state.tables.held_until_fixed) {
    if (held.list == list_name && held.class_name == entry.class_name) return &held;
  }
  return nullptr;
}

std::string entry_line(const PluginState& state, Gate gate, const DelayEntry& entry,
                       std::int64_t now) {
  const char* const list = gate_name(gate);
  const std::string name = printable(entry.class_name);
  if (const config::HeldEntry* held = held_entry(state, gate, entry)) {
    return fmt::format(config::kStatusHeldUntilFixed, list, name, printable(held->reason));
  }
  if (entry.unlock_time > now && !gate_in_place(gate)) {
    return fmt::format(config::kStatusGateOff, list, name, config::utc_text(entry.unlock_time)) +
           config::origin_mark(entry);
  }
  if (entry.unlock_time > now) {
    return fmt::format(config::kStatusLocked, list, name, config::utc_text(entry.unlock_time),
                       config::left_text(config::seconds_between(now, entry.unlock_time))) +
           config::origin_mark(entry);
  }
  return fmt::format(config::kStatusReleased, list, name, config::utc_text(entry.unlock_time)) +
         config::origin_mark(entry);
}

// Without a filter each empty list says so; with one, a single line says that nothing matched.
void add_lists(std::vector<std::string>& lines, const PluginState& state,
               const config::Schedule& lists, const StatusRequest& request, std::int64_t now) {
  const std::array both{std::pair{Gate::riding, &lists.riding},
                        std::pair{Gate::taming, &lists.taming}};
  if (request.filters()) {
    if (lists.riding.empty() && lists.taming.empty()) lines.push_back(request.nothing_matches());
  } else {
    for (const auto& [gate, entries] : both) {
      if (entries->empty()) lines.push_back(fmt::format(config::kStatusNoClasses, gate_name(gate)));
    }
  }
  for (const auto& [gate, entries] : both) {
    for (const DelayEntry& entry : *entries) lines.push_back(entry_line(state, gate, entry, now));
  }
}

std::string headline(const PluginState& state, std::int64_t now) {
  if (!state.in_force) {
    const bool refused =
        state.last_load && !state.last_load->ok() && !state.last_load->file_missing;
    if (refused) return fmt::format(config::kStatusNothingInForceRefused, kVersion);
    return fmt::format(config::kStatusNothingInForce, kVersion);
  }
  const std::int64_t wipe = state.tables.wipe_timestamp;
  return fmt::format(config::kStatusHeadline, kVersion, config::utc_text(wipe), wipe,
                     config::utc_text(now));
}

// Registered with the host: the chat command the configuration asks for, when it asks for one.
bool chat_command_on(const PluginState& state) {
  const std::optional<config::NoticeSettings>& notices = state.tables.notices;
  return state.in_force && notices && !notices->chat_command.empty() &&
         state.chat_command.text() == notices->chat_command;
}

std::string chat_command_text(const PluginState& state, const std::string& wanted) {
  if (wanted.empty()) return config::kStatusNoChatCommand;
  if (!chat_command_on(state))
    return fmt::format(config::kStatusChatCommandRefused, printable(wanted));
  return printable(wanted);
}

std::string notices_line(const PluginState& state) {
  const std::optional<config::NoticeSettings>& notices = state.tables.notices;
  if (!state.in_force || !notices) return config::kStatusNoticesOff;
  return fmt::format(config::kStatusNoticesOn, notices->cooldown_seconds,
                     chat_command_text(state, notices->chat_command));
}

// One line for each gate whose hook the host refused: its class entries below hold nothing back.
void add_missing_gates(std::vector<std::string>& lines, const PluginState& state) {
  for (std::size_t index = 0; index < gate_hooks().size(); ++index) {
    if (state.gates_installed[index]) continue;
    const GateHook& hook = gate_hooks()[index];
    lines.push_back(fmt::format(config::kStatusGateMissing, hook.name, kHeldBack[index]));
  }
}

config::JsonObject gates_json(const PluginState& state) {
  config::JsonObject json;
  for (std::size_t index = 0; index < gate_hooks().size(); ++index) {
    json.flag(gate_hooks()[index].name, state.gates_installed[index]);
  }
  return json;
}

// Only while announcements are on, so that a status without them reads as it always has.
std::optional<std::string> announcements_line(const PluginState& state) {
  const std::optional<config::AnnouncementSettings>& announcements = state.tables.announcements;
  if (!state.in_force || !announcements) return std::nullopt;
  std::vector<std::int64_t> leads = announcements->remind_before;
  std::sort(leads.begin(), leads.end(), std::greater<>());
  leads.erase(std::unique(leads.begin(), leads.end()), leads.end());
  std::vector<std::string> texts;
  for (const std::int64_t lead : leads) {
    texts.push_back(config::left_text(static_cast<std::uint64_t>(lead)));
  }
  return fmt::format(config::kStatusAnnouncementsOn,
                     texts.empty() ? std::string(config::kStatusNoReminders)
                                   : fmt::format(config::kStatusReminders, spoken_list(texts)));
}

// The refusals `id` has skipped since start; 0 before its first.
std::uint64_t skipped_by(const PluginState& state, const std::string& id) {
  const auto found = state.bypass_skips.find(id);
  return found == state.bypass_skips.end() ? 0 : found->second;
}

void add_bypass(std::vector<std::string>& lines, const PluginState& state) {
  if (!state.in_force) return;
  for (const std::string& id : state.tables.bypass) {
    const std::uint64_t skipped = skipped_by(state, id);
    lines.push_back(fmt::format(config::kStatusBypass, printable(id), skipped,
                                skipped == 1 ? "refusal" : "refusals"));
  }
}

std::vector<config::JsonObject> bypass_json(const PluginState& state) {
  std::vector<config::JsonObject> ids;
  if (!state.in_force) return ids;
  for (const std::string& id : state.tables.bypass) {
    ids.emplace_back().text("id", id).number("skipped",
                                             static_cast<std::int64_t>(skipped_by(state, id)));
  }
  return ids;
}

// What became of the latest load that did not apply config.json; nothing after one that did.
std::optional<std::string> last_load_line(const PluginState& state) {
  if (!state.last_load || state.last_load->ok()) return std::nullopt;
  const LoadRecord& load = *state.last_load;
  const std::string reason = printable(config::refusal_line(*load.refusal));
  if (load.fallback_written) {
    return fmt::format(config::kStatusFellBack, config::utc_text(load.time),
                       last_good_applied(*load.fallback_written), reason);
  }
  const char* in_force = load.salvaged    ? config::kStatusSalvageInForce
                         : state.in_force ? config::kStatusPreviousInForce
                                          : config::kStatusNothingHeldBack;
  return fmt::format(config::kStatusLastLoadFailed, config::utc_text(load.time), reason, in_force);
}

// What a start made of a refused config.json, when it did not simply apply it.
void add_start_lines(std::vector<std::string>& lines, const PluginState& state) {
  const std::size_t held = state.tables.held_until_fixed.size();
  if (state.in_force && held > 0) {
    lines.push_back(
        fmt::format(config::kStatusSalvaged, held, held == 1 ? "entry is" : "entries are"));
  }
  if (state.last_load && state.last_load->earlier_copy_written) {
    lines.push_back(fmt::format(config::kLastGoodFromEarlierWipe,
                                config::plugin_file_text(config::kLastGoodFileName),
                                config::utc_text(*state.last_load->earlier_copy_written)));
  }
}

config::JsonObject last_load_json(const LoadRecord& record, const config::DelayTables& tables) {
  config::JsonObject json;
  json.number("time", record.time)
      .flag("ok", record.ok())
      .refusal(record.refusal ? &*record.refusal : nullptr)
      .flag("fallback", record.fallback_written.has_value())
      .number("fallback_written", record.fallback_written);
  if (record.salvaged) {
    std::vector<config::JsonObject> held;
    for (const config::HeldEntry& entry : tables.held_until_fixed) {
      held.emplace_back().text("list", entry.list).text("class", entry.class_name);
    }
    json.flag("salvaged", true).objects("held_until_fixed", std::move(held));
  }
  if (record.earlier_copy_written) {
    json.number("earlier_copy_written", record.earlier_copy_written);
  }
  return json;
}

}  // namespace

std::vector<std::string> status_lines(const PluginState& state, std::int64_t now,
                                      const StatusRequest& request) {
  std::vector<std::string> lines{headline(state, now)};
  add_missing_gates(lines, state);
  add_start_lines(lines, state);
  lines.push_back(notices_line(state));
  if (auto line = announcements_line(state)) lines.push_back(std::move(*line));
  if (auto line = last_load_line(state)) lines.push_back(std::move(*line));
  if (const auto lists = schedule_of(state, request, now)) {
    add_lists(lines, state, *lists, request, now);
  }
  add_bypass(lines, state);
  if (state.host_failures > 0) {
    lines.push_back(fmt::format(config::kStatusHostFailures, state.host_failures,
                                state.host_failures == 1 ? "time" : "times"));
  }
  if (const std::uint64_t left = host::blocks_left_behind(); left > 0) {
    lines.push_back(fmt::format(config::kBlocksLeftBehind, left));
  }
  for (std::string& line : warning_lines(state, config::kStatusWarning)) {
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string status_json(const PluginState& state, std::int64_t now, const StatusRequest& request) {
  const std::optional<config::Schedule> schedule = schedule_of(state, request, now);
  config::JsonObject status;
  status.text("version", kVersion)
      .schedule(now, schedule ? &*schedule : nullptr, state.diagnostics)
      .number("host_failures", static_cast<std::int64_t>(state.host_failures))
      .objects("bypass", bypass_json(state))
      .object("gates", gates_json(state))
      .flag("chat_command_on", chat_command_on(state));
  if (const std::uint64_t left = host::blocks_left_behind(); left > 0) {
    status.number("blocks_left_behind", static_cast<std::int64_t>(left));
  }
  status.object("last_load", state.last_load
                                 ? std::optional(last_load_json(*state.last_load, state.tables))
                                 : std::nullopt);
  return status.dump();
}

}  // namespace quellwarden
