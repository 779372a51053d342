// The chat command follows the configuration: the registry only ever holds the name in force, so
// a reload that renames it or turns notices off leaves nothing behind.
#include "plugin/unlocks_command.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "host/utf8.h"
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
  std::string class_name;
  std::string_view display_name;
  std::int64_t unlock_time;
  int gate;  // taming first, then riding, among classes unlocking at once
};

void add_locked(std::vector<Locked>& locked, const std::string& text, int gate,
                const DelayTable& table, const config::DisplayNames& names, std::int64_t now) {
  if (text.empty()) return;
  table.for_each([&](std::int32_t slot, std::u16string_view key, std::int64_t unlock_time) {
    if (unlock_time <= now) return;
    locked.push_back(
        {&text, host::encode_utf8(key), config::display_name_at(names, slot), unlock_time, gate});
  });
}

bool remove_chat(const FString& name) { return AsaApi::GetCommands().RemoveChatCommand(name); }

// The chat command's answer in the words of the notices in force: one line per locked class, the
// soonest first, at most kMostUnlockLines, then one line for the rest; or the line for nothing
// held back. Nothing without notices.
std::vector<std::string> unlocks_lines(const config::DelayTables& tables, std::int64_t now) {
  if (!tables.notices) return {};
  const config::NoticeSettings& settings = *tables.notices;
  std::vector<Locked> locked;
  // A gate whose hook the host refused holds nothing back from anyone.
  if (gate_in_place("taming")) {
    add_locked(locked, settings.unlocks_taming, 0, tables.taming, tables.taming_names, now);
  }
  if (gate_in_place("riding")) {
    add_locked(locked, settings.unlocks_riding, 1, tables.riding, tables.riding_names, now);
  }
  const auto shown = static_cast<std::ptrdiff_t>(std::min(locked.size(), config::kMostUnlockLines));
  std::partial_sort(locked.begin(), locked.begin() + shown, locked.end(),
                    [](const Locked& a, const Locked& b) {
                      return std::tie(a.unlock_time, a.gate, a.class_name) <
                             std::tie(b.unlock_time, b.gate, b.class_name);
                    });
  std::vector<std::string> lines;
  for (auto entry = locked.begin(); entry != locked.begin() + shown; ++entry) {
    lines.push_back(config::notice_text(
        *entry->text, {entry->display_name, entry->class_name, entry->unlock_time, now}, settings));
  }
  const std::size_t more = locked.size() - lines.size();
  const std::string& last = locked.empty() ? settings.unlocks_none : settings.unlocks_more;
  if ((locked.empty() || more > 0) && !last.empty()) {
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
  // u"" rather than {}: an empty view with a null pointer must not reach the compare's memcmp.
  if (!state.chat_cooldown.admit({player, 0, u"", 0}, now, cooldown)) return;
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
