// quellwarden-sandbox: a stand-in game server that loads the plugin and runs what it is told.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "config/vocabulary.h"
#include "host/asa_api.h"
#include "standin/plugin_library.h"
#include "standin/standin.h"
#include "text/utf8_path.h"
#include "tools/program/program.h"
#include "tools/sandbox/game_queue.h"
#include "tools/sandbox/options.h"
#include "tools/sandbox/rcon_server.h"
#include "tools/sandbox/sandbox.h"
#include "tools/sandbox/stdin_reader.h"
#include "tools/sandbox/transcript.h"
#include "tools/sandbox/transcript_log_sink.h"
#include "version.h"

namespace {

using namespace quellwarden::sandbox;
using quellwarden::tools::program_arguments;
using quellwarden::tools::program_file;
namespace config = quellwarden::config;

constexpr int kBadUsage = 2;
constexpr int kCannotStart = 1;

using quellwarden::path_of_utf8;
using quellwarden::utf8_of_path;

// Found before the working directory changes, so that relative paths mean what the user meant.
// Without --plugin, the plugin's folder below the working directory comes first, as on a server.
std::string plugin_path(const Options& options, const char* argv0) {
  if (!options.plugin.empty()) {
    return utf8_of_path(std::filesystem::absolute(path_of_utf8(options.plugin)));
  }
  const std::string built = standin::plugin_beside(program_file(argv0));
  const std::filesystem::path in_server = std::filesystem::absolute(path_of_utf8(options.workdir)) /
                                          config::kArkApiFolder / config::kPluginsFolder /
                                          config::kPluginFolder / path_of_utf8(built).filename();
  std::error_code error;
  return std::filesystem::is_regular_file(in_server, error) ? utf8_of_path(in_server) : built;
}

std::unique_ptr<RconServer> start_rcon(const Options& options, GameQueue& queue, Sandbox& sandbox) {
  if (!options.rcon_port) {
    return nullptr;
  }
  RconGameSide game{
      [&queue](std::function<void()> task) { queue.post(std::move(task)); },
      [&sandbox](int client, const RconPacket& request, const RconGameSide::Reply& reply) {
        sandbox.serve_rcon(client, request, reply);
      },
      [&sandbox](const std::string& line) { sandbox.print(line); },
  };
  auto server = std::make_unique<RconServer>(
      RconServerSettings{"127.0.0.1", *options.rcon_port, options.rcon_password,
                         std::chrono::seconds(options.rcon_auth_timeout)},
      std::move(game));
  sandbox.print("rcon listening on 127.0.0.1:" + std::to_string(server->port()));
  return server;
}

int run(const Options& options, const std::string& plugin) {
  std::error_code error;
  std::filesystem::current_path(path_of_utf8(options.workdir), error);
  if (error) {
    std::cerr << "quellwarden-sandbox: cannot enter " << options.workdir << ": " << error.message()
              << "\n";
    return kBadUsage;
  }
  if (options.clock && !standin::freeze_clock(*options.clock)) {
    std::cerr << "quellwarden-sandbox: the clock cannot hold " << *options.clock << "\n";
    return kBadUsage;
  }
  // It prints what happens as it happens and reads no record back.
  standin::keep_latest_records(0);
  static Transcript transcript(stdout);  // the plugin's log sink may be used until exit
  GetLogSinks().push_back(std::make_shared<TranscriptLogSink>(transcript));

  Sandbox sandbox(transcript, plugin);
  try {
    sandbox.load_plugin();
  } catch (const std::exception& failure) {
    std::cerr << "quellwarden-sandbox: " << failure.what() << "\n";
    return kCannotStart;
  }
  GameQueue queue;
  std::unique_ptr<RconServer> rcon;
  try {
    rcon = start_rcon(options, queue, sandbox);
  } catch (const std::exception& failure) {
    std::cerr << "quellwarden-sandbox: cannot serve RCON on 127.0.0.1:" << *options.rcon_port
              << ": " << failure.what() << "\n";
    return kCannotStart;
  }
  const StdinReader input(
      [&queue, &sandbox](std::string line) {
        queue.post([&sandbox, line = std::move(line)] { sandbox.execute(line); });
      },
      [&queue, &sandbox] { queue.post([&sandbox] { sandbox.finish(); }); });
  while (!sandbox.finished()) {
    queue.take()();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const quellwarden::tools::OwnWindowHold window;
  Options options;
  try {
    options = parse_options(program_arguments(argc, argv));
  } catch (const std::invalid_argument& wrong) {
    std::cerr << "quellwarden-sandbox: " << wrong.what() << "\nTry --help.\n";
    return kBadUsage;
  }
  if (options.help) {
    std::cout << usage_text();
    return 0;
  }
  if (options.version) {
    std::cout << "quellwarden-sandbox " << quellwarden::kVersion << "\n";
    return 0;
  }
  return run(options, plugin_path(options, argv[0]));
}
