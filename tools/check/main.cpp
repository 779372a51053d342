// quellwarden-check: tells an administrator what the plugin will make of its configuration file.
#include <chrono>
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

#include "config/local_zone.h"
#include "config/vocabulary.h"
#include "tools/check/check.h"
#include "tools/check/class_list.h"
#include "tools/check/config_file.h"
#include "tools/check/console.h"
#include "tools/check/display_text.h"
#include "tools/check/options.h"
#include "tools/check/report.h"
#include "tools/program/program.h"
#include "version.h"

namespace {

using namespace quellwarden::check;

constexpr int kLoads = 0;
constexpr int kRefused = 1;  // or not for the wipe given
constexpr int kCannotRun = 2;
constexpr int kLoadsWithWarnings = 3;  // only with --strict

std::int64_t system_now() {
  const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::floor<std::chrono::seconds>(since_epoch).count();
}

int unreadable(const Options& options, const std::string& path, const std::string& problem,
               std::int64_t now) {
  std::cerr << "quellwarden-check: cannot read " << in_quotes(path) << ": " << problem
            << "\n(the plugin would log " << in_quotes(quellwarden::config::kOpenFailure)
            << " and keep the configuration it had)\n";
  if (options.json) {
    CheckResult result;
    result.errors.emplace_back(quellwarden::config::kOpenFailure);
    std::cout << json_report(result, now);
  }
  return kCannotRun;
}

int run(const Options& options) {
  const std::int64_t now = options.now.value_or(options.wipe.value_or(system_now()));
  const std::string path = config_file_path(options.config_path);
  const quellwarden::config::FileBytes file = read_config_file(path);
  if (!file.bytes) return unreadable(options, path, file.problem, now);
  // The zone as the system's C library has it, from TZ where that is set: the plugin's own reading.
  const LocalZone zone{quellwarden::config::local_offset_at};
  const CheckResult result =
      check_text(*file.bytes, {now, options.now_at_wipe, zone, options.wipe});
  std::cout << (options.json ? json_report(result, result.now)
                             : text_report(result, {path, result.now, zone}));
  if (!result.errors.empty() || result.wrong_wipe) return kRefused;
  return options.strict && !result.warnings.empty() ? kLoadsWithWarnings : kLoads;
}

}  // namespace

int main(int argc, char** argv) {
  const quellwarden::tools::OwnWindowHold window;
  const Utf8Console console;
  const std::vector<std::string> given = quellwarden::tools::program_arguments(argc, argv);
  const std::vector<std::string_view> arguments(given.begin(), given.end());
  const ParsedArguments parsed = parse_arguments(arguments);
  if (!parsed.error.empty()) {
    std::cerr << "quellwarden-check: " << parsed.error << "\n" << usage_text();
    return kCannotRun;
  }
  if (parsed.options.help) {
    std::cout << usage_text();
    return kLoads;
  }
  if (parsed.options.classes) {
    std::cout << class_list_text(*parsed.options.classes);
    return kLoads;
  }
  if (parsed.options.version) {
    std::cout << "quellwarden-check " << quellwarden::kVersion << "\n";
    return kLoads;
  }
  try {
    return run(parsed.options);
  } catch (const std::exception& error) {
    std::cerr << "quellwarden-check: " << error.what() << "\n";
    return kCannotRun;
  }
}
