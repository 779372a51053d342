// The chat command follows the configuration: the registry only ever holds the name in force, so
// a reload that renames it or turns notices off leaves nothing behind.
#include "plugin/unlocks_command.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "plugin/attempt.h"
#include "plugin/clock.h"
#include "plugin/gate_hooks.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"
#include "plugin/registration.h"

namespace quellwarden {
namespace {

struct Locked {
  const std::string* text;  // the admin's line for the gate
  config::DelayEntry entry;
};

// Whether `gate` holds anything back; a gate whose hook the host refused holds nothing back from
// anyone. The classes are listed only when the admin gave the gate a line, and only those with an
// unlock time: one held until config.json is fixed has none to tell.
bool add_locked(std::vector<Locked>& locked, const std::string& text, Gate gate,
                const config::DelayTables& tables, std::int64_t now) {
  if (!gate_in_place(gate)) return false;
  bool holds = false;
  for (config::DelayEntry& entry : gate_entries(tables, gate)) {
    if (entry.unlock_time <= now) continue;
    holds = true;
    if (!text.empty() && !config::never_unlocks(entry.unlock_time)) {
      locked.push_back({&text, std::move(entry)});
    }
  }
  return holds;
}

bool remove_chat(const FString& name) { return AsaApi::GetCommands().RemoveChatCommand(name); }

// The chat command's answer in the words of the notices in force: one line per locked class, the
// soonest first, at most kMostUnlockLines, then one line for the rest; or the line for nothing
// held back. Nothing without notices.
std::vector<std::string> unlocks_lines(const config::DelayTables& tables, std::int64_t now) {
  if (!tables.notices) return {};
  const config::NoticeSettings& settings = *tables.notices;
  std::vector<Locked> locked;
  const bool taming = add_locked(locked, settings.unlocks_taming, Gate::taming, tables, now);
  const bool riding = add_locked(locked, settings.unlocks_riding, Gate::riding, tables, now);
  // Each gate's entries come sorted: among classes unlocking at once, taming's stay first.
  std::stable_sort(locked.begin(), locked.end(), [](const Locked& a, const Locked& b) {
    return a.entry.unlock_time < b.entry.unlock_time;
  });
  const std::size_t shown = std::min(locked.size(), config::kMostUnlockLines);
  std::vector<std::string> lines;
  for (const auto& [text, entry] : std::span(locked).first(shown)) {
    lines.push_back(config::notice_text(
        *text, {entry.display_name, entry.class_name, entry.unlock_time, now}, settings));
  }
  const std::size_t more = locked.size() - lines.size();
  const bool nothing_held = !taming && !riding;
  const std::string& last = nothing_held ? settings.unlocks_none : settings.unlocks_more;
  if ((nothing_held || more > 0) && !last.empty()) {
    lines.push_back(config::notice_text(last, {{}, {}, 0, now, more}, settings));
  }
  return lines;
}

}  // namespace

// A player asking again within the cooldown gets nothing, so the command cannot flood the chat.
void chat_unlocks(AShooterPlayerController* player, FString* /*message*/, int /*mode*/) {
  PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  const std::int64_t cooldown = state.tables.notices ? state.tables.notices->cooldown_seconds : 0;
  // One key a player, whatever the gate says. u"" rather than {}: an empty view with a null
  // pointer must not reach the compare's memcmp.
  if (!state.chat_cooldown.admit({player, Gate::taming, u"", 0}, now, cooldown)) return;
  // The game's player controller begins with the engine's, so the address is the same.
  const PlayerReply reply(reinterpret_cast<APlayerController*>(player));
  for (const std::string& line : unlocks_lines(state.tables, now)) {
    reply.send(kWhite, line);
  }
}

void remove_chat_command() noexcept {
  drop_registration("chat command", plugin_state().chat_command, &remove_chat);
}

void sync_chat_command() noexcept {
  const auto& notices = plugin_state().tables.notices;
  follow_registration(
      "chat command", plugin_state().chat_command,
      notices ? std::string_view(notices->chat_command) : std::string_view(),
      [](const FString& name) {
        AsaApi::GetCommands().AddChatCommand(
            name, AsaApi::ChatCallback(guarded("chat command", &chat_unlocks)));
      },
      &remove_chat);
}

}  // namespace quellwarden
