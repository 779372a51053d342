// Each command checks its arguments, acts on the stand-in world or the plugin, and prints exactly
// the lines listed in --help; a mistake in a script prints "error: ..." and the script goes on.
#include "tools/sandbox/sandbox.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <utility>
#include <vector>

#include "text/words.h"
#include "tools/sandbox/clock_change.h"

namespace quellwarden::sandbox {
namespace {

class CommandError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string_view trimmed(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
  return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

// The first word and the rest of the line after the blanks that follow it.
std::pair<std::string_view, std::string_view> first_word(std::string_view text) {
  text = trimmed(text);
  const auto end = std::min(text.find_first_of(kBlanks), text.size());
  return {text.substr(0, end), trimmed(text.substr(end))};
}

bool boolean(std::string_view word) {
  if (word != "true" && word != "false") {
    throw CommandError("'" + std::string(word) + "' is neither true nor false");
  }
  return word == "true";
}

const char* text_of(bool value) { return value ? "true" : "false"; }

// Shortest decimal that reads back as the same float: 0, 1, 0.5.
std::string shortest(float value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}

// 0 switches a failure off.
std::size_t count_of(std::string_view text) {
  std::size_t count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw CommandError("'" + std::string(text) + "' is not a count");
  }
  return count;
}

using standin::game_call_count;

void expect_no_arguments(std::string_view command, std::string_view arguments) {
  if (!arguments.empty()) {
    throw CommandError(std::string(command) + " takes no arguments");
  }
}

}  // namespace

Sandbox::Sandbox(Transcript& transcript, std::string plugin_path)
    : transcript_(transcript),
      plugin_path_(std::move(plugin_path)),
      player_(standin::player("admin")),
      rider_(standin::rider("admin", player_)) {
  // The listener outlives nothing it touches: the sandbox lives as long as the program.
  standin::on_message([this](const standin::SentMessage& message) {
    const FLinearColor& colour = message.colour;
    const std::string to = message.to_everyone ? "all" : recipient(message.player);
    print("to " + to + " [" + shortest(colour.R) + "," + shortest(colour.G) + "," +
          shortest(colour.B) + "," + shortest(colour.A) + "]: " + message.text);
  });
}

const Sandbox::NamedPlayer& Sandbox::named_player(std::string_view name) {
  const auto found = players_.find(name);
  if (found != players_.end()) {
    return found->second;
  }
  AShooterPlayerController* const controller = standin::player(name);
  const auto& made =
      players_.emplace(std::string(name), NamedPlayer{controller, standin::rider(name, controller)})
          .first;
  recipients_.emplace(controller, made->first);
  return made->second;
}

Sandbox::NamedPlayer Sandbox::acting_player(std::vector<std::string_view>& given) {
  if (given.size() >= 2 && given[given.size() - 2] == "by") {
    const NamedPlayer player = named_player(given.back());
    given.resize(given.size() - 2);
    return player;
  }
  return {player_, rider_};
}

std::string Sandbox::recipient(const APlayerController* player) const {
  const auto found = recipients_.find(player);
  return found != recipients_.end() ? found->second : "player";
}

void Sandbox::load_plugin() { plugin_.load(plugin_path_); }

const std::map<std::string_view, Sandbox::Handler>& Sandbox::handlers() {
  static const std::map<std::string_view, Handler> table{
      {"clock", &Sandbox::clock},
      {"spawn", &Sandbox::spawn},
      {"answer", &Sandbox::answer},
      {"tame", &Sandbox::tame},
      {"imprint", &Sandbox::imprint},
      {"ride", &Sandbox::ride},
      {"chat", &Sandbox::chat},
      {"console", &Sandbox::console},
      {"console-noplayer", &Sandbox::console_noplayer},
      {"rcon", &Sandbox::rcon},
      {"hooks", &Sandbox::hooks},
      {"commands", &Sandbox::commands},
      {"unload", &Sandbox::unload},
      {"load", &Sandbox::load},
      {"memory", &Sandbox::memory},
      {"echo", &Sandbox::echo},
      {"quit", &Sandbox::quit},
      {"fail", &Sandbox::fail},
      {"tick", &Sandbox::tick},
      {"player", &Sandbox::player},
      {"players", &Sandbox::players},
  };
  return table;
}

void Sandbox::execute(std::string_view line) {
  const auto [command, arguments] = first_word(line);
  if (command.empty() || command.front() == '#') {
    return;
  }
  const auto found = handlers().find(command);
  if (found == handlers().end()) {
    print("error: unknown command '" + std::string(command) + "' (see --help)");
    return;
  }
  try {
    (this->*found->second)(arguments);
  } catch (const std::exception& error) {
    print(std::string("error: ") + error.what());
  }
}

void Sandbox::clock(std::string_view arguments) {
  if (!arguments.empty()) {
    const ClockChange change =
        apply_clock_change(arguments, standin::clock_seconds(), kStandinClock);
    if (change.outcome == ClockOutcome::malformed) {
      throw CommandError("clock wants UNIX, +N<s|m|h|d> or -N<s|m|h|d>, not '" +
                         std::string(arguments) + "'");
    }
    if (change.outcome == ClockOutcome::out_of_range || !standin::freeze_clock(change.seconds)) {
      throw CommandError("clock must lie " + range_text(kStandinClock) + ", not '" +
                         std::string(arguments) + "'");
    }
  }
  print("clock " + std::to_string(standin::clock_seconds()));
  // The host's timers run about once a second; here, once at each new time.
  if (!arguments.empty()) {
    standin::run_timers();
  }
}

void Sandbox::tick(std::string_view arguments) {
  expect_no_arguments("tick", arguments);
  print("tick");
  standin::run_timers();
}

void Sandbox::player(std::string_view arguments) {
  const auto given = words_of(arguments);
  if (given.size() != 3 || given[1] != "id") {
    throw CommandError("player wants NAME id ID");
  }
  standin::set_player_id(named_player(given[0]).controller, given[2]);
  print("player " + std::string(given[0]) + " id " + std::string(given[2]));
}

void Sandbox::players(std::string_view arguments) {
  expect_no_arguments("players", arguments);
  for (const auto& [name, player] : players_) {
    print("player " + name + " id " + standin::player_id(player.controller));
  }
}

void Sandbox::spawn(std::string_view arguments) {
  const auto given = words_of(arguments);
  if (given.size() != 2) {
    throw CommandError("spawn wants NAME CLASS");
  }
  if (given[0] == "null") {
    throw CommandError("null stands for no creature; pick another name");
  }
  creatures_.insert_or_assign(std::string(given[0]), standin::spawn_creature(given[1]));
  print("spawned " + std::string(given[0]) + " " + std::string(given[1]));
}

void Sandbox::answer(std::string_view arguments) {
  const auto given = words_of(arguments);
  if (given.size() != 2 || given[0] != "tame") {
    throw CommandError("answer wants tame true|false");
  }
  const bool value = boolean(given[1]);
  standin::set_can_tame_answer(value);
  print(std::string("answer tame ") + text_of(value));
}

APrimalDinoCharacter* Sandbox::creature(std::string_view name) const {
  if (name == "null") {
    return nullptr;
  }
  const auto found = creatures_.find(name);
  if (found == creatures_.end()) {
    throw CommandError("no creature named '" + std::string(name) + "'; spawn it first");
  }
  return found->second;
}

void Sandbox::tame(std::string_view arguments) {
  auto given = words_of(arguments);
  const NamedPlayer player = acting_player(given);
  if (given.size() != 1 && given.size() != 3) {
    throw CommandError("tame wants NAME|null [BOOL BOOL] [by PLAYER]");
  }
  APrimalDinoCharacter* target = creature(given[0]);
  const bool first = given.size() == 3 && boolean(given[1]);
  const bool second = given.size() == 3 && boolean(given[2]);
  const std::size_t before = game_call_count();
  const bool answer = standin::game_can_tame(target, player.controller, first, second);
  print("CanTame " + std::string(given[0]) + " -> " + text_of(answer) +
        (game_call_count() > before ? " (game)" : " (refused)"));
}

void Sandbox::imprint(std::string_view arguments) {
  auto given = words_of(arguments);
  const NamedPlayer player = acting_player(given);
  if (given.size() != 1) {
    throw CommandError("imprint wants NAME|null [by PLAYER]");
  }
  APrimalDinoCharacter* target = creature(given[0]);
  const std::size_t before = game_call_count();
  standin::game_imprint_baby_dino(target, player.controller, false);
  print("ImprintBabyDino " + std::string(given[0]) +
        (game_call_count() > before ? " -> game" : " -> refused"));
}

void Sandbox::ride(std::string_view arguments) {
  auto given = words_of(arguments);
  const NamedPlayer player = acting_player(given);
  if (given.size() != 1) {
    throw CommandError("ride wants NAME|null [by PLAYER]");
  }
  APrimalDinoCharacter* target = creature(given[0]);
  const std::size_t before = game_call_count();
  standin::game_set_rider(target, player.character);
  print("SetRider " + std::string(given[0]) +
        (game_call_count() > before ? " -> game" : " -> refused"));
}

void Sandbox::run_console(APlayerController* player, std::string_view text) {
  if (text.empty()) {
    throw CommandError("console wants the text that is typed");
  }
  if (!standin::run_console_command(player, text)) {
    print("unknown console command " + std::string(first_word(text).first));
  }
}

// Chat that is no command goes to everyone; the sandbox shows it as said.
void Sandbox::chat(std::string_view arguments) {
  const auto [name, text] = first_word(arguments);
  if (name.empty() || text.empty()) {
    throw CommandError("chat wants PLAYER TEXT");
  }
  if (!standin::run_chat_command(named_player(name).controller, text)) {
    print(std::string(name) + " says: " + std::string(text));
  }
}

void Sandbox::console(std::string_view arguments) { run_console(player_, arguments); }

void Sandbox::console_noplayer(std::string_view arguments) { run_console(nullptr, arguments); }

void Sandbox::rcon(std::string_view arguments) {
  const auto [id_text, body] = first_word(arguments);
  std::int32_t id = 0;
  const auto [end, error] = std::from_chars(id_text.data(), id_text.data() + id_text.size(), id);
  if (id_text.empty() || body.empty() || error != std::errc() ||
      end != id_text.data() + id_text.size()) {
    throw CommandError("rcon wants ID TEXT, the ID a 32-bit number");
  }
  const standin::RconConnection connection([this](const standin::RconReply& reply) {
    print("rcon reply " + std::to_string(reply.id) + " " + std::to_string(reply.type) + ": " +
          reply.text);
  });
  if (!standin::run_rcon_command(connection, id, body)) {
    print("unknown rcon command " + std::string(first_word(body).first));
  }
}

void Sandbox::serve_rcon(int client, const RconPacket& request, const RconReply& reply) {
  print("rcon client " + std::to_string(client) + " request " + std::to_string(request.id) + ": " +
        printable(request.body));
  const standin::RconConnection connection([&](const standin::RconReply& sent) {
    print("rcon reply " + std::to_string(sent.id) + " " + std::to_string(sent.type) + ": " +
          printable(sent.text, sent.text.size()));
    reply({sent.id, sent.type, sent.text});
  });
  if (!standin::run_rcon_command(connection, request.id, request.body)) {
    // A client waits for an answer to every request, so it hears about the unknown command too.
    const std::string text = "unknown rcon command " + std::string(first_word(request.body).first);
    print(printable(text));
    reply({request.id, kRconResponseValue, text});
  }
}

void Sandbox::hooks(std::string_view arguments) {
  expect_no_arguments("hooks", arguments);
  for (const std::string& signature : standin::installed_hooks()) {
    print("hook " + signature);
  }
}

void Sandbox::commands(std::string_view arguments) {
  expect_no_arguments("commands", arguments);
  for (const auto& [kind, names] : {std::pair{"console command ", standin::console_commands()},
                                    {"rcon command ", standin::rcon_commands()},
                                    {"chat command ", standin::chat_commands()},
                                    {"timer ", standin::timers()}}) {
    for (const std::string& name : names) {
      print(kind + name);
    }
  }
}

void Sandbox::unload(std::string_view arguments) {
  expect_no_arguments("unload", arguments);
  if (!plugin_.loaded()) {
    throw CommandError("the plugin is not loaded");
  }
  plugin_.unload();
  print("unloaded");
}

void Sandbox::load(std::string_view arguments) {
  expect_no_arguments("load", arguments);
  if (plugin_.loaded()) {
    throw CommandError("the plugin is already loaded");
  }
  plugin_.load(plugin_path_);
  print("loaded");
}

void Sandbox::memory(std::string_view arguments) {
  expect_no_arguments("memory", arguments);
  const standin::AllocatorStats stats = standin::allocator_stats();
  print("memory " + std::to_string(stats.live_blocks) + " blocks " +
        std::to_string(stats.live_bytes) + " bytes");
}

void Sandbox::fail(std::string_view arguments) {
  const auto given = words_of(arguments);
  const std::string_view what = given.empty() ? std::string_view() : given[0];
  if ((what == "resolve" || what == "throw") && (given.size() == 2 || given.size() == 3)) {
    const std::size_t count = given.size() == 3 ? count_of(given[2]) : 1;
    (what == "resolve" ? standin::fail_resolve : standin::fail_throw)(given[1], count);
    print("fail " + std::string(what) + " " + std::string(given[1]) + " " + std::to_string(count));
  } else if (what == "alloc" && given.size() == 2) {
    const std::size_t nth = count_of(given[1]);
    standin::fail_alloc(nth);
    print("fail alloc " + std::to_string(nth));
  } else if (what == "hook" && given.size() == 2) {
    standin::fail_next_hook(given[1]);
    print("fail hook " + std::string(given[1]));
  } else if (what == "command" && given.size() == 2) {
    standin::fail_next_command(given[1]);
    print("fail command " + std::string(given[1]));
  } else {
    throw CommandError(
        "fail wants resolve NAME [COUNT], throw NAME [COUNT], alloc N, hook NAME or command NAME");
  }
}

void Sandbox::echo(std::string_view arguments) { print(arguments); }

void Sandbox::quit(std::string_view arguments) {
  expect_no_arguments("quit", arguments);
  finish();
}

}  // namespace quellwarden::sandbox
