// Parsed by hand: six options do not justify a dependency.
#include "tools/sandbox/options.h"

#include <charconv>
#include <stdexcept>

#include "tools/sandbox/clock_change.h"

namespace quellwarden::sandbox {
namespace {

template <typename Number>
Number number_of(const std::string& option, const std::string& text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw std::invalid_argument(option + " wants a number, not '" + text + "'");
  }
  return value;
}

// The same seconds the `clock` command accepts, so that a script may start where it could go.
std::int64_t clock_of(const std::string& text) {
  const auto seconds = number_of<std::int64_t>("--clock", text);
  if (seconds < kStandinClock.first || seconds > kStandinClock.last) {
    throw std::invalid_argument("--clock must lie " + range_text(kStandinClock) + ", not '" + text +
                                "'");
  }
  return seconds;
}

std::uint16_t auth_timeout_of(const std::string& text) {
  const auto seconds = number_of<std::uint16_t>("--rcon-auth-timeout", text);
  if (seconds == 0) {
    throw std::invalid_argument("--rcon-auth-timeout wants at least 1 second");
  }
  return seconds;
}

void check_consistent(const Options& options) {
  if (options.rcon_port && options.rcon_password.empty()) {
    throw std::invalid_argument("--rcon-port needs --rcon-password: RCON is never left open");
  }
  if (!options.rcon_port && !options.rcon_password.empty()) {
    throw std::invalid_argument("--rcon-password needs --rcon-port");
  }
}

}  // namespace

Options parse_options(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    std::string name = arguments[at];
    std::optional<std::string> value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--version") {
      options.version = true;
      continue;
    }
    if (name != "--workdir" && name != "--plugin" && name != "--clock" && name != "--rcon-port" &&
        name != "--rcon-password" && name != "--rcon-auth-timeout") {
      throw std::invalid_argument("unknown option '" + arguments[at] + "'");
    }
    if (!value) {
      if (at + 1 == arguments.size()) {
        throw std::invalid_argument(name + " needs a value");
      }
      value = arguments[++at];
    }
    if (name == "--workdir") {
      options.workdir = *value;
    } else if (name == "--plugin") {
      options.plugin = *value;
    } else if (name == "--clock") {
      options.clock = clock_of(*value);
    } else if (name == "--rcon-port") {
      options.rcon_port = number_of<std::uint16_t>(name, *value);
    } else if (name == "--rcon-auth-timeout") {
      options.rcon_auth_timeout = auth_timeout_of(*value);
    } else {
      options.rcon_password = *value;
    }
  }
  check_consistent(options);
  return options;
}

std::string usage_text() {
  return R"(Usage: quellwarden-sandbox [OPTIONS] < SCRIPT

A stand-in game server that loads the Quellwarden plugin as the real server does and runs the
commands it reads from standard input, one a line, on its game thread. Everything it prints,
the plugin's log lines included, goes to standard output in the order it happens.

Options:
  --workdir DIR         the server's working directory; the plugin reads
                        DIR/ArkApi/Plugins/Quellwarden/config.json (default: .)
  --plugin FILE         the plugin library (default: the one in DIR/ArkApi/Plugins/Quellwarden/,
                        as a server finds it, else the one built beside this program)
  --clock UNIX          start with the clock frozen at that Unix second, negative before 1970
                        (default: real time)
  --rcon-port N         serve RCON on 127.0.0.1:N; 0 picks a free port. Needs --rcon-password
  --rcon-password PW    the password RCON clients must send first
  --rcon-auth-timeout S close a connection that has not sent the password within S seconds
                        (default: 10)
  --version             the plugin's and the sandbox's version
  --help                this text

Commands (blank lines and lines starting with # are skipped):
  clock                         clock <unix-seconds>
  clock UNIX | +N<s|m|h|d> | -N<s|m|h|d>
                                freezes the clock there; prints clock <unix-seconds>. UNIX may
                                be negative (-86400 is a day before 1970): a step has a unit.
                                The clock holds -922337203685 to 922337203685; past that:
                                error: clock must lie between ..., and the clock stays.
                                A clock that moved runs the plugins' timers once
  tick                          tick; runs the plugins' timers once, the clock unmoved (a server
                                runs them about once a second; here only clock and tick do)
  spawn NAME CLASS              spawned NAME CLASS
  answer tame true|false        what the game's own taming test answers (default true)
  tame NAME|null [BOOL BOOL] [by PLAYER]
                                CanTame NAME -> BOOL (game)  or  CanTame NAME -> false (refused)
  imprint NAME|null [by PLAYER] ImprintBabyDino NAME -> game  or  ... -> refused
  ride NAME|null [by PLAYER]    SetRider NAME -> game  or  SetRider NAME -> refused
                                without "by", the console's player acts; a player named here
                                is made on first mention; messages to them: to PLAYER [r,g,b,a]:
                                and to every player: to all [r,g,b,a]: TEXT
  player NAME id ID             player NAME id ID: the unique id the game gives for NAME
  players                       player NAME id ID for each player named so far; one made on
                                first mention has an id made from its name
  chat PLAYER TEXT              PLAYER writes TEXT in chat; a chat command answers, other text
                                prints PLAYER says: TEXT
  console TEXT                  a player types TEXT; each reply: to player [r,g,b,a]: TEXT
  console-noplayer TEXT         the same without a player controller
  rcon ID TEXT                  an RCON request; each reply: rcon reply ID TYPE: TEXT
  hooks | commands              the installed hooks | console, RCON and chat commands, timers
  unload | load                 runs the plugin's unload or load sequence
  memory                        memory <blocks> blocks <bytes> bytes live in the game's allocator
  fail resolve NAME [COUNT]     the next COUNT (default 1) look-ups of that signature or field
                                name yield null; prints fail resolve NAME COUNT.
                                fail resolve NAME 0 switches it off
  fail throw NAME [COUNT]       the next COUNT (default 1) calls of that game function (or
                                look-ups of that field) throw; prints fail throw NAME COUNT.
                                fail throw NAME 0 switches it off
  fail alloc N                  the game's allocator refuses its Nth allocation from now
                                (Malloc and Realloc answer null); prints fail alloc N.
                                fail alloc 0 switches it off
  fail hook NAME                the next hook on that signature fails and installs nothing;
                                prints fail hook NAME
  fail command NAME             the next registration of that console, RCON or chat command or
                                timer throws; prints fail command NAME
  echo TEXT                     prints TEXT
  quit                          ends the sandbox
Anything else prints "error: ..." and the sandbox goes on.

The sandbox ends at `quit` or at the end of standard input, also when it serves RCON: keep the
input open (e.g. `cat script - | quellwarden-sandbox ...`) to serve RCON clients for longer.
RCON requests run on the game thread between input lines. Over TCP the sandbox prints
rcon client N connected | authenticated | request ID: TEXT | closed: REASON, and the replies
as above. A client must send the password first, within the time --rcon-auth-timeout gives; a
broken packet or a body over 4096 bytes closes its connection. A reply of any length comes
whole, in packets of up to 4096 bytes; a client's next request runs once it has read all but
256 KiB of the replies before, so one that stops reading is served no further.
)";
}

}  // namespace quellwarden::sandbox
