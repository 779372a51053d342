// The file stays the one truth: an edit is refused, writing nothing, unless config.json on disk is
// the file in force and the edited file would load; then it is replaced whole (temporary file and
// rename) and reloaded, so a restart keeps what the admin did.
#include <fmt/format.h>
#include <fmt/ranges.h>

#include <string>
#include <variant>
#include <vector>

#include "config/configuration_edit.h"
#include "config/file_bytes.h"
#include "config/loader.h"
#include "config/vocabulary.h"
#include "host/fstring.h"
#include "host/rcon_packet.h"
#include "plugin/admin_commands.h"
#include "plugin/clock.h"
#include "plugin/file_replacement.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"
#include "plugin/rcon_reply.h"
#include "text/words.h"

namespace quellwarden {
namespace {

struct EditReply {
  bool done = false;
  std::vector<std::string> lines;
};

EditReply refused(const std::string& why) {
  return {false, {fmt::format(config::kEditRefused, why)}};
}

// The edited file, or why there is none to write.
std::variant<config::ConfigurationEdit, std::string> edit_of_file(const std::filesystem::path& path,
                                                                  std::string_view command_line,
                                                                  std::int64_t now) {
  auto request = config::read_edit_request(command_line, now);
  if (auto* problem = std::get_if<std::string>(&request)) return std::move(*problem);
  const config::FileBytes file = config::read_whole_file(path);
  if (!file.bytes) return "config.json cannot be read: " + file.problem;
  if (auto why = file_not_in_force(plugin_state(), *file.bytes)) return std::move(*why);
  config::ConfigurationEdit edit =
      config::edit_configuration(*file.bytes, std::get<config::EditRequest>(request), now);
  if (!edit.ok()) return std::move(edit.problem);
  return edit;
}

EditReply run_edit(std::string_view command_line, const char* channel) {
  const std::int64_t now = unix_now();
  std::error_code error;
  const std::filesystem::path folder = config::plugin_folder(error);
  if (error) return refused("the working directory cannot be read: " + error.message());
  const std::filesystem::path path = folder / config::kConfigFileName;
  auto edit = edit_of_file(path, command_line, now);
  if (auto* problem = std::get_if<std::string>(&edit)) return refused(*problem);
  const config::ConfigurationEdit& done = std::get<config::ConfigurationEdit>(edit);
  // An admin's link stays a link: the edit replaces the file it leads to.
  const std::filesystem::path target = std::filesystem::canonical(path, error);
  if (error) return refused("config.json cannot be written: " + error.message());
  if (std::string failure = replace_file(target, done.bytes, now); !failure.empty()) {
    return refused("config.json cannot be written: " + failure);
  }
  const std::string_view command = command_line.substr(0, command_line.find_first_of(kBlanks));
  for (const std::string& change : done.changes) {
    plugin_state().log.info(config::kEditLogged, command, channel, change);
  }
  const LoadResult reload = reload_configuration();
  if (reload.refusal) {
    log_refusal(*reload.refusal);
    return {false, {fmt::format(config::kEditNotReloaded, config::refusal_line(*reload.refusal))}};
  }
  EditReply reply{true,
                  {fmt::format(config::kEditApplied, fmt::join(done.changes, ", "),
                               held_back_now(plugin_state().tables, unix_now()))}};
  for (const std::string& warning : done.new_warnings) {
    reply.lines.push_back(fmt::format(config::kStatusWarning, warning));
  }
  return reply;
}

std::string line_of(const FString* command) {
  std::string line = host::utf8_of(command);
  // The host may pass the line as the client sent it, blanks before the command's name included.
  line.erase(0, line.find_first_not_of(kBlanks));
  return line;
}

}  // namespace

void console_edit(APlayerController* player, FString* command, bool /*flag*/) {
  const EditReply reply = run_edit(line_of(command), "console");
  const PlayerReply to_player(player);
  for (std::size_t index = 0; index < reply.lines.size(); ++index) {
    to_player.send(!reply.done ? kRed : index == 0 ? kGreen : kYellow, reply.lines[index]);
  }
}

void rcon_edit(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  const EditReply reply = run_edit(line_of(&packet->Body), "RCON");
  send_rcon_reply(connection, *packet, fmt::format("{}", fmt::join(reply.lines, "\n")));
}

}  // namespace quellwarden
