// Read from the live tables, never the file, so the answer is what the gates do right now.
#include "plugin/next_unlocks.h"

#include <fmt/format.h>

#include <array>
#include <optional>
#include <tuple>

#include "config/report_json.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "host/utf8.h"
#include "plugin/gate_hooks.h"
#include "text/printable.h"
#include "text/quoted_text.h"

namespace quellwarden {
namespace {

struct NextUnlock {
  std::string class_name;
  std::string name;  // what players call it (config::display_name_of)
  std::int64_t unlock_time;
};

struct Gate {
  const char* name;
  const DelayTable* table;
  const config::DisplayNames* names;
};

std::array<Gate, 2> gates_of(const PluginState& state) {
  const config::DelayTables& tables = state.tables;
  return {{{"taming", &tables.taming, &tables.taming_names},
           {"riding", &tables.riding, &tables.riding_names}}};
}

// The soonest unlock still ahead; of classes unlocking at once, the first by name. A gate whose
// hook the host refused releases nothing, since it holds nothing back.
std::optional<NextUnlock> next_of(const Gate& gate, std::int64_t now,
                                  const StatusRequest& request) {
  std::optional<NextUnlock> next;
  if (!gate_in_place(gate.name)) return next;
  gate.table->for_each([&](std::int32_t slot, std::u16string_view key, std::int64_t unlock_time) {
    if (unlock_time <= now || (next && unlock_time > next->unlock_time)) return;
    std::string class_name = host::encode_utf8(key);
    if (!request.names(class_name)) return;
    if (next &&
        std::tie(unlock_time, class_name) >= std::tie(next->unlock_time, next->class_name)) {
      return;
    }
    const std::string_view name =
        config::display_name_of(config::display_name_at(*gate.names, slot), class_name);
    next = NextUnlock{class_name, std::string(name), unlock_time};
  });
  return next;
}

std::string next_line(const char* gate, const std::optional<NextUnlock>& next,
                      const StatusRequest& request, std::int64_t now) {
  if (!next) {
    return fmt::format(config::kNextUnlockNone, gate,
                       request.text.empty()
                           ? std::string(config::kNextNothingHeldBack)
                           : fmt::format(config::kStatusNameHolds, in_quotes(request.text)));
  }
  const std::string class_name = printable(next->class_name);
  const std::string named = next->name == next->class_name
                                ? class_name
                                : fmt::format("{} ({})", printable(next->name), class_name);
  return fmt::format(config::kNextUnlock, gate, named,
                     config::utc_text(next->unlock_time, config::Precision::minutes),
                     config::left_text(config::seconds_between(now, next->unlock_time)));
}

config::JsonObject next_json(const NextUnlock& next, std::int64_t now) {
  config::JsonObject json;
  json.text("class", next.class_name)
      .text("name", next.name)
      .number("unlock", next.unlock_time)
      .number("seconds_left",
              static_cast<std::int64_t>(config::seconds_between(now, next.unlock_time)));
  return json;
}

}  // namespace

std::vector<std::string> next_unlock_lines(const PluginState& state, std::int64_t now,
                                           const StatusRequest& request) {
  std::vector<std::string> lines;
  for (const Gate& gate : gates_of(state)) {
    lines.push_back(next_line(gate.name, next_of(gate, now, request), request, now));
  }
  return lines;
}

std::string next_unlock_json(const PluginState& state, std::int64_t now,
                             const StatusRequest& request) {
  config::JsonObject json;
  json.number("now", now);
  for (const Gate& gate : gates_of(state)) {
    const std::optional<NextUnlock> next = next_of(gate, now, request);
    json.object(gate.name, next ? std::optional(next_json(*next, now)) : std::nullopt);
  }
  return json.dump();
}

}  // namespace quellwarden
