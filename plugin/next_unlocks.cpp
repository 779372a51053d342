// Read from the live tables, never the file, so the answer is what the gates do right now.
#include "plugin/next_unlocks.h"

#include <fmt/format.h>

#include <array>
#include <optional>

#include "config/report_json.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "plugin/gate_hooks.h"
#include "plugin/gates.h"
#include "text/printable.h"
#include "text/quoted_text.h"

namespace quellwarden {
namespace {

constexpr std::array kGates{Gate::taming, Gate::riding};

// The soonest unlock still ahead; of classes unlocking at once, the first by name. A gate whose
// hook the host refused releases nothing, since it holds nothing back. An entry held until
// config.json is fixed comes last, and has no unlock to tell.
std::optional<config::DelayEntry> next_of(const PluginState& state, Gate gate, std::int64_t now,
                                          const StatusRequest& request) {
  if (!gate_in_place(gate)) return std::nullopt;
  for (config::DelayEntry& entry : gate_entries(state.tables, gate)) {
    if (entry.unlock_time > now && request.names(entry.class_name)) return std::move(entry);
  }
  return std::nullopt;
}

// What players call the class (config::display_name_of).
std::string_view name_of(const config::DelayEntry& next) {
  return config::display_name_of(next.display_name, next.class_name);
}

bool unlocks(const std::optional<config::DelayEntry>& next) {
  return next && !config::never_unlocks(next->unlock_time);
}

std::string next_line(Gate gate, const std::optional<config::DelayEntry>& next,
                      const StatusRequest& request, std::int64_t now) {
  if (next && !unlocks(next)) {
    return fmt::format(config::kNextUnlockNone, gate_name(gate), config::kNextHeldUntilFixed);
  }
  if (!next) {
    return fmt::format(config::kNextUnlockNone, gate_name(gate),
                       request.text.empty()
                           ? std::string(config::kNextNothingHeldBack)
                           : fmt::format(config::kStatusNameHolds, in_quotes(request.text)));
  }
  const std::string class_name = printable(next->class_name);
  const std::string named = name_of(*next) == next->class_name
                                ? class_name
                                : fmt::format("{} ({})", printable(name_of(*next)), class_name);
  return fmt::format(config::kNextUnlock, gate_name(gate), named,
                     config::utc_text(next->unlock_time, config::Precision::minutes),
                     config::left_text(config::seconds_between(now, next->unlock_time)));
}

config::JsonObject next_json(const config::DelayEntry& next, std::int64_t now) {
  config::JsonObject json;
  json.text("class", next.class_name)
      .text("name", name_of(next))
      .number("unlock", next.unlock_time)
      .number("seconds_left",
              static_cast<std::int64_t>(config::seconds_between(now, next.unlock_time)));
  return json;
}

}  // namespace

std::vector<std::string> next_unlock_lines(const PluginState& state, std::int64_t now,
                                           const StatusRequest& request) {
  std::vector<std::string> lines;
  for (const Gate gate : kGates) {
    lines.push_back(next_line(gate, next_of(state, gate, now, request), request, now));
  }
  return lines;
}

std::string next_unlock_json(const PluginState& state, std::int64_t now,
                             const StatusRequest& request) {
  config::JsonObject json;
  json.number("now", now);
  for (const Gate gate : kGates) {
    const std::optional<config::DelayEntry> next = next_of(state, gate, now, request);
    json.object(gate_name(gate),
                unlocks(next) ? std::optional(next_json(*next, now)) : std::nullopt);
  }
  return json.dump();
}

}  // namespace quellwarden
