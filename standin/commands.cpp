// The command registry: console, RCON and chat commands found by the first word of what was typed
// or sent, compared without regard to ASCII case as the game's console does; and the plugins'
// timers, which run when the control surface says, since tests and the sandbox decide what time it
// is.
#include <algorithm>
#include <stdexcept>

#include "host/rcon_packet.h"
#include "standin/registry.h"
#include "standin/world.h"
#include "text/ascii_fold.h"

namespace standin {
namespace {

bool same_name(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
    return quellwarden::fold_ascii(x) == quellwarden::fold_ascii(y);
  });
}

std::u16string_view first_word(std::u16string_view line) {
  line.remove_prefix(std::min(line.find_first_not_of(u' '), line.size()));
  return line.substr(0, line.find(u' '));
}

template <typename Callback>
struct Command {
  std::u16string name;
  Callback callback;
};

template <typename List>
auto find_named(List& list, std::u16string_view word) {
  return std::find_if(list.begin(), list.end(),
                      [&](const auto& command) { return same_name(command.name, word); });
}

template <typename Callback>
bool remove_named(std::vector<Command<Callback>>& list, const FString& name) {
  const auto found = find_named(list, name.view());
  if (found == list.end()) {
    return false;
  }
  list.erase(found);
  return true;
}

template <typename Callback>
void add_named(std::vector<Command<Callback>>& list, const FString& name, const Callback& callback,
               std::string_view what = "command") {
  const std::string text = utf16_to_utf8(name.view());
  if (detail::command_fails(text)) {
    throw std::runtime_error("the host refused to register the " + std::string(what) + " " + text);
  }
  list.push_back({std::u16string(name.view()), callback});
}

class Commands final : public AsaApi::ICommands {
 public:
  void AddConsoleCommand(const FString& name, const AsaApi::ConsoleCallback& callback) override {
    add_named(console_, name, callback);
  }
  void AddRconCommand(const FString& name, const AsaApi::RconCallback& callback) override {
    add_named(rcon_, name, callback);
  }
  bool RemoveConsoleCommand(const FString& name) override { return remove_named(console_, name); }
  bool RemoveRconCommand(const FString& name) override { return remove_named(rcon_, name); }
  void AddChatCommand(const FString& name, const AsaApi::ChatCallback& callback) override {
    add_named(chat_, name, callback);
  }
  bool RemoveChatCommand(const FString& name) override { return remove_named(chat_, name); }
  void AddTimer(const FString& name, const AsaApi::TimerCallback& callback) override {
    add_named(timers_, name, callback, "timer");
  }
  bool RemoveTimer(const FString& name) override { return remove_named(timers_, name); }

  std::vector<Command<AsaApi::ConsoleCallback>> console_;
  std::vector<Command<AsaApi::RconCallback>> rcon_;
  std::vector<Command<AsaApi::ChatCallback>> chat_;
  std::vector<Command<AsaApi::TimerCallback>> timers_;
};

Commands& commands() { return detail::forever<Commands>(); }

// Chat written to everyone, as players mostly write commands.
constexpr int kChatModeGlobal = 0;

template <typename Callback>
std::vector<std::string> names_of(const std::vector<Command<Callback>>& list) {
  std::vector<std::string> out;
  for (const auto& command : list) {
    out.push_back(utf16_to_utf8(command.name));
  }
  return out;
}

// Runs `run(callback, line)` with the command that `line`'s first word names in `list`, and the
// host's FString of the line; false when there is none. A callback may unregister commands while it
// runs, so it runs from a copy.
template <typename Callback, typename Run>
bool run_named(const std::vector<Command<Callback>>& list, std::string_view line, Run&& run) {
  const std::u16string text = utf8_to_utf16(line);
  const auto found = find_named(list, first_word(text));
  if (found == list.end()) {
    return false;
  }
  const Callback callback = found->callback;
  run(callback, detail::host_fstring(text));
  return true;
}

}  // namespace

std::vector<std::string> console_commands() { return names_of(commands().console_); }
std::vector<std::string> rcon_commands() { return names_of(commands().rcon_); }
std::vector<std::string> chat_commands() { return names_of(commands().chat_); }
std::vector<std::string> timers() { return names_of(commands().timers_); }

// A timer may remove itself or others while it runs; this round still runs each it began with.
void run_timers() {
  const auto round = commands().timers_;
  for (const auto& timer : round) {
    timer.callback();
  }
}

bool run_console_command(APlayerController* player, std::string_view line) {
  return run_named(commands().console_, line,
                   [&](const auto& callback, FString typed) { callback(player, &typed, false); });
}

bool run_chat_command(AShooterPlayerController* player, std::string_view message) {
  return run_named(commands().chat_, message, [&](const auto& callback, FString said) {
    callback(player, &said, kChatModeGlobal);
  });
}

bool run_rcon_command(const RconConnection& connection, std::int32_t id, std::string_view body) {
  return run_named(commands().rcon_, body, [&](const auto& callback, FString text) {
    RCONPacket packet{static_cast<std::int32_t>(body.size() + 10), id, 2, std::move(text)};
    callback(connection.get(), &packet, nullptr);
  });
}

}  // namespace standin

AsaApi::ICommands& AsaApi::GetCommands() { return standin::commands(); }
