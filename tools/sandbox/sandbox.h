// The game thread's side of the sandbox: the world the plugin runs in and the commands that drive
// it, each answering with the transcript lines that scripts rely on.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "standin/plugin_library.h"
#include "standin/standin.h"
#include "tools/sandbox/rcon_protocol.h"
#include "tools/sandbox/transcript.h"

namespace quellwarden::sandbox {

class Sandbox {
 public:
  using RconReply = std::function<void(const RconPacket&)>;

  Sandbox(Transcript& transcript, std::string plugin_path);
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  // Runs the plugin's load sequence; throws std::runtime_error when the library cannot be loaded.
  void load_plugin();
  // One line of input. Never throws: what goes wrong is printed as "error: ...".
  void execute(std::string_view line);
  // A request that RCON client `client` sent over the network; its replies go back through `reply`.
  void serve_rcon(int client, const RconPacket& request, const RconReply& reply);
  // A line of the sandbox's own, e.g. about RCON connections.
  void print(std::string_view line) { transcript_.line(line); }

  void finish() { finished_ = true; }
  [[nodiscard]] bool finished() const { return finished_; }

 private:
  using Handler = void (Sandbox::*)(std::string_view arguments);
  static const std::map<std::string_view, Handler>& handlers();

  void clock(std::string_view arguments);
  void tick(std::string_view arguments);
  void player(std::string_view arguments);
  void players(std::string_view arguments);
  void spawn(std::string_view arguments);
  void answer(std::string_view arguments);
  void tame(std::string_view arguments);
  void imprint(std::string_view arguments);
  void ride(std::string_view arguments);
  void chat(std::string_view arguments);
  void console(std::string_view arguments);
  void console_noplayer(std::string_view arguments);
  void rcon(std::string_view arguments);
  void hooks(std::string_view arguments);
  void commands(std::string_view arguments);
  void unload(std::string_view arguments);
  void load(std::string_view arguments);
  void memory(std::string_view arguments);
  void fail(std::string_view arguments);
  void echo(std::string_view arguments);
  void quit(std::string_view arguments);

  void run_console(APlayerController* player, std::string_view text);
  APrimalDinoCharacter* creature(std::string_view name) const;

  // A player by name, made on first mention, with the character they ride with.
  struct NamedPlayer {
    AShooterPlayerController* controller;
    AShooterCharacter* character;
  };
  const NamedPlayer& named_player(std::string_view name);
  // The player a trailing "by PLAYER" names, taken off `words`; the console's player without one.
  NamedPlayer acting_player(std::vector<std::string_view>& words);
  // "player" for the console's player (and none), else the name.
  std::string recipient(const APlayerController* player) const;

  Transcript& transcript_;
  std::string plugin_path_;
  standin::PluginLibrary plugin_;
  std::map<std::string, APrimalDinoCharacter*, std::less<>> creatures_;
  AShooterPlayerController* player_;
  AShooterCharacter* rider_;
  std::map<std::string, NamedPlayer, std::less<>> players_;
  // Each named player's controller to the name, so a message finds its recipient at once.
  std::unordered_map<const APlayerController*, std::string> recipients_;
  bool finished_ = false;
};

}  // namespace quellwarden::sandbox
