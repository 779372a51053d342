// The chat command follows the configuration: the registry only ever holds the name in force, so
// a reload that renames it or turns notices off leaves nothing behind.
#include "plugin/unlocks_command.h"

#include <fmt/format.h>

#include <algorithm>
#include <tuple>

#include "config/time_text.h"
#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "host/utf8.h"
#include "plugin/attempt.h"
#include "plugin/clock.h"
#include "plugin/player_messages.h"

namespace quellwarden {
namespace {

struct Locked {
  std::string creature;  // the display name, else the class name
  std::int64_t unlock_time;
};

void add_locked(std::vector<std::string>& lines, const char* list, const DelayTable& table,
                const config::DisplayNames& names, std::int64_t now) {
  std::vector<Locked> locked;
  table.for_each([&](std::int32_t slot, std::u16string_view key, std::int64_t unlock_time) {
    if (unlock_time <= now) return;
    const std::string name = host::encode_utf8(key);
    locked.push_back(
        {std::string(config::display_name_of(config::display_name_at(names, slot), name)),
         unlock_time});
  });
  std::sort(locked.begin(), locked.end(), [](const Locked& a, const Locked& b) {
    return std::tie(a.unlock_time, a.creature) < std::tie(b.unlock_time, b.creature);
  });
  for (const Locked& entry : locked) {
    lines.push_back(
        fmt::format(config::kUnlocksLine, list, entry.creature,
                    config::left_text(config::seconds_between(now, entry.unlock_time))));
  }
}

// Adds or removes the chat command `name`; a refusal is logged, and answered with false.
template <typename Step>
bool attempt_chat(const char* what, const std::string& name, Step&& step) noexcept {
  return attempt([&] { return fmt::format("Failed to {} chat command {}", what, name); },
                 std::forward<Step>(step));
}

std::string wanted_chat_command() {
  const auto& notices = plugin_state().tables.notices;
  return notices ? notices->chat_command : std::string();
}

}  // namespace

std::vector<std::string> unlocks_lines(const PluginState& state, std::int64_t now) {
  std::vector<std::string> lines;
  add_locked(lines, "taming", state.tables.taming, state.tables.taming_names, now);
  add_locked(lines, "riding", state.tables.riding, state.tables.riding_names, now);
  if (lines.empty()) lines.emplace_back(config::kNothingHeldBack);
  return lines;
}

void chat_unlocks(AShooterPlayerController* player, FString* /*message*/, int /*mode*/) {
  // The game's player controller begins with the engine's, so the address is the same.
  const PlayerReply reply(reinterpret_cast<APlayerController*>(player));
  for (const std::string& line : unlocks_lines(plugin_state(), unix_now())) {
    reply.send(kWhite, line);
  }
}

void remove_chat_command() noexcept {
  KeptName& kept = plugin_state().chat_command;
  if (kept.text().empty()) return;
  attempt_chat("remove", kept.text(), [&] {
    return kept.with(
        [](const FString& name) { return AsaApi::GetCommands().RemoveChatCommand(name); });
  });
  kept.forget();
}

void sync_chat_command() noexcept {
  std::string wanted;
  try {
    wanted = wanted_chat_command();
  } catch (...) {
    return;
  }
  KeptName& kept = plugin_state().chat_command;
  if (wanted == kept.text()) return;
  remove_chat_command();
  if (wanted.empty()) return;
  const bool added = attempt_chat("add", wanted, [&] {
    kept.keep(wanted);
    return kept.with([](const FString& name) {
      AsaApi::GetCommands().AddChatCommand(
          name, AsaApi::ChatCallback(guarded("chat command", &chat_unlocks)));
      return true;
    });
  });
  if (!added) kept.forget();
}

}  // namespace quellwarden
