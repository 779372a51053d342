// Options may come in any order; "--now=UNIX" and "--" work as with most tools.
#include "tools/check/options.h"

#include <charconv>

#include "config/date_reading.h"

namespace quellwarden::check {
namespace {

std::optional<std::int64_t> whole_number(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value);
  if (failure != std::errc() || stop != end) return std::nullopt;
  return value;
}

// The same times the configuration's "WipeTimestamp" takes, so a wipe can be pasted as now.
std::string set_now(Options& options, std::string_view value) {
  const std::string quoted = std::string("\"").append(value).append("\"");
  if (value == "wipe") {
    options.now_at_wipe = true;
    return {};
  }
  if (const std::optional<std::int64_t> seconds = whole_number(value)) {
    options.now = seconds;
    return {};
  }
  if (value.find_first_not_of("-0123456789") == std::string_view::npos) {
    return "--now wants whole Unix seconds, not " + quoted;
  }
  const config::DateReading date = config::read_date(value);
  if (!date.unix_seconds) {
    return "--now wants whole Unix seconds, a date as " + std::string(config::kDateForms) +
           ", or wipe; " + quoted + " " + date.problem;
  }
  options.now = date.unix_seconds;
  return {};
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
    } else if (argument.starts_with("--now=")) {
      parsed.error = set_now(parsed.options, argument.substr(6));
    } else if (argument == "--now") {
      parsed.error = index + 1 < arguments.size() ? set_now(parsed.options, arguments[++index])
                                                  : "--now needs a value";
    } else {
      parsed.error = "unknown option " + std::string(argument);
    }
  }
  return parsed;
}

std::string usage_text() {
  return "usage: quellwarden-check [CONFIG] [--now TIME|wipe] [--json] [--strict] [--version]\n"
         "Shows what the Quellwarden plugin makes of its configuration file: the wipe time, when\n"
         "each creature class is released for riding and for taming, and likely mistakes.\n"
         "  CONFIG      the file to check, or a server folder holding it (default: " +
         config::config_path_text() +
         "\n"
         "              under the current directory)\n"
         "  --now TIME  judge locked and released at this time, not the system clock: Unix\n"
         "              seconds or a date such as 2026-01-08T18:00:00Z; --now wipe judges the\n"
         "              file as at the wipe it gives, so a check before the wipe can be --strict\n"
         "  --json      print one JSON object: now, wipe_timestamp, riding, taming, warnings,\n"
         "              errors, hints\n"
         "  --strict    exit with 3 when the plugin would load the file but there are warnings\n"
         "  --version   show the version\n"
         "  --help      show this text\n"
         "Exit status: 0 the plugin would load the file (warnings allowed), 1 it would not,\n"
         "2 the file cannot be read or the arguments are wrong, 3 it would load the file with\n"
         "warnings and --strict is given.\n";
}

}  // namespace quellwarden::check
