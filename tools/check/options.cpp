// Options may come in any order; "--now=UNIX" and "--" work as with most tools.
#include "tools/check/options.h"

#include "config/date_reading.h"

namespace quellwarden::check {
namespace {

// The same times the configuration's "WipeTimestamp" takes, so a wipe can be pasted as it is.
// `wanted` names them for an error: "--wipe wants whole Unix seconds or a date as ...".
std::string read_time(std::string_view option, std::string_view wanted, std::string_view value,
                      std::optional<std::int64_t>& time) {
  const std::string quoted = std::string("\"").append(value).append("\"");
  if (const std::optional<std::int64_t> seconds = config::whole_number(value)) {
    time = seconds;
    return {};
  }
  if (value.find_first_not_of("-0123456789") == std::string_view::npos) {
    return std::string(option) + " wants whole Unix seconds, not " + quoted;
  }
  const config::DateReading date = config::read_date(value);
  if (!date.unix_seconds) {
    return std::string(option) + " wants " + std::string(wanted) + "; " + quoted + " " +
           date.problem + (date.suggestion.empty() ? "" : "; " + date.suggestion);
  }
  time = date.unix_seconds;
  return {};
}

std::string set_now(Options& options, std::string_view value) {
  if (value == "wipe") {
    options.now_at_wipe = true;
    return {};
  }
  return read_time("--now",
                   "whole Unix seconds, a date as " + std::string(config::kDateForms) + ", or wipe",
                   value, options.now);
}

std::string set_wipe(Options& options, std::string_view value) {
  return read_time("--wipe", "whole Unix seconds or a date as " + std::string(config::kDateForms),
                   value, options.wipe);
}

// "--now=VALUE" or "--now VALUE": whether `arguments[index]` is the option `name`, whose value
// `set` takes; the index moves past the value.
bool option_with_value(std::span<const std::string_view> arguments, std::size_t& index,
                       std::string_view name, std::string (*set)(Options&, std::string_view),
                       ParsedArguments& parsed) {
  const std::string_view argument = arguments[index];
  if (argument.starts_with(name) && argument.substr(name.size()).starts_with('=')) {
    parsed.error = set(parsed.options, argument.substr(name.size() + 1));
    return true;
  }
  if (argument != name) return false;
  parsed.error = index + 1 < arguments.size() ? set(parsed.options, arguments[++index])
                                              : std::string(name) + " needs a value";
  return true;
}

std::string set_config(Options& options, bool& config_given, std::string_view value) {
  if (config_given) return "more than one configuration file given: \"" + std::string(value) + "\"";
  config_given = true;
  options.config_path = std::string(value);
  return {};
}

}  // namespace

ParsedArguments parse_arguments(std::span<const std::string_view> arguments) {
  ParsedArguments parsed;
  bool config_given = false;
  bool options_ended = false;
  for (std::size_t index = 0; index < arguments.size() && parsed.error.empty(); ++index) {
    const std::string_view argument = arguments[index];
    if (options_ended || argument == "-" || !argument.starts_with('-')) {
      parsed.error = set_config(parsed.options, config_given, argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--json") {
      parsed.options.json = true;
    } else if (argument == "--strict") {
      parsed.options.strict = true;
    } else if (argument == "--help" || argument == "-h") {
      parsed.options.help = true;
    } else if (argument == "--version") {
      parsed.options.version = true;
    } else if (argument == "--classes") {
      const bool filter_given =
          index + 1 < arguments.size() && !arguments[index + 1].starts_with('-');
      parsed.options.classes = filter_given ? std::string(arguments[++index]) : std::string();
    } else if (argument.starts_with("--classes=")) {
      parsed.options.classes = std::string(argument.substr(10));
    } else if (!option_with_value(arguments, index, "--now", set_now, parsed) &&
               !option_with_value(arguments, index, "--wipe", set_wipe, parsed)) {
      parsed.error = "unknown option " + std::string(argument);
    }
  }
  return parsed;
}

std::string usage_text() {
  return "usage: quellwarden-check [CONFIG] [--wipe DATE] [--now TIME|wipe] [--json] [--strict]\n"
         "                         [--version]\n"
         "       quellwarden-check --classes [TEXT]\n"
         "Shows what the Quellwarden plugin makes of its configuration file: the wipe time, when\n"
         "each creature class is released for riding and for taming, and likely mistakes.\n"
         "  CONFIG      the file to check, or a server folder holding it (default: " +
         config::config_path_text() +
         "\n"
         "              under the current directory)\n"
         "  --wipe DATE the wipe the file must give (exit 1 if it gives another), as Unix seconds\n"
         "              or a date such as 2026-12-11T19:00:00+01:00; the file is judged as at\n"
         "              that time, so a check before the wipe can be --strict\n"
         "  --now TIME  judge locked and released at this time, not the system clock: Unix\n"
         "              seconds or a date such as 2026-01-08T18:00:00Z; --now wipe judges the\n"
         "              file as at the wipe it gives, and warns if that is over a day ago\n"
         "  --json      print one JSON object: now, wipe_timestamp, riding, taming,\n"
         "              player_notices, announcements, warnings, errors, hints, and\n"
         "              wrong_wipe when the file's wipe is not --wipe's\n"
         "  --strict    exit with 3 when the plugin would load the file but there are warnings\n"
         "  --classes [TEXT]\n"
         "              list the game's creature classes with the names players know them by,\n"
         "              only those whose class or common name contains TEXT (letter case\n"
         "              ignored)\n"
         "  --version   show the version\n"
         "  --help      show this text\n"
         "Exit status: 0 the plugin would load the file (warnings allowed), 1 it would not, or\n"
         "its wipe is not the one given with --wipe, 2 the file cannot be read or the arguments\n"
         "are wrong, 3 it would load the file with warnings and --strict is given.\n";
}

}  // namespace quellwarden::check
