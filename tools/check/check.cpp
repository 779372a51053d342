// The plugin's reader decides whether the file loads and the shared diagnostics say what looks
// wrong, so the checker words nothing about the configuration itself.
#include "tools/check/check.h"

#include <variant>

#include "config/document.h"
#include "config/effective_entries.h"
#include "config/parse_hints.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "log/printable.h"

namespace quellwarden::check {
namespace {

std::string date_and_seconds(std::int64_t when) {
  return config::utc_text(when) + " (" + std::to_string(when) + ")";
}

// The admin has said which wipe is meant, so a file for any other is the wrong file, and one for
// that wipe is judged as on the night, ahead of it or not.
void hold_to_wipe(std::int64_t given, std::int64_t wipe, CheckResult& result) {
  std::erase_if(result.warnings, [](const config::Diagnostic& warning) {
    return warning.code == config::DiagnosticCode::future_wipe;
  });
  if (wipe == given) return;
  result.wrong_wipe = "the file's wipe is " + date_and_seconds(wipe) +
                      ", not the wipe given with --wipe, " + date_and_seconds(given);
}

}  // namespace

CheckResult check_text(std::string_view text, const Judging& judging) {
  CheckResult result;
  result.now = judging.now;
  const config::Document document = config::read_document(text);
  if (document.parse_error) {
    result.errors.push_back(config::kParseFailure + printable(*document.parse_error));
    result.hints = config::parse_hints(text);
    return result;
  }
  std::variant<config::Configuration, config::Refusal> reading =
      config::read_configuration(document);
  if (auto* refusal = std::get_if<config::Refusal>(&reading)) {
    result.warnings = config::diagnose(document, nullptr, judging.now);
    result.errors.push_back(std::move(refusal->text));
    if (!refusal->hint.empty()) result.hints.push_back(std::move(refusal->hint));
    return result;
  }
  const config::Configuration& configuration = std::get<config::Configuration>(reading);
  const std::int64_t wipe = configuration.wipe_timestamp;
  if (judging.at_wipe) result.now = wipe;
  result.warnings = config::diagnose(document, &configuration, result.now);
  if (judging.wipe) {
    hold_to_wipe(*judging.wipe, wipe, result);
  } else if (judging.at_wipe) {
    if (auto stale = config::wipe_before_clock(document, configuration, judging.now)) {
      result.warnings.push_back(std::move(*stale));
    }
  }
  if (!judging.zone.is_utc(judging.now)) {
    if (auto mismatch =
            config::zone_offset_diagnostic(document, configuration, judging.zone.offset(wipe))) {
      result.warnings.push_back(std::move(*mismatch));
    }
  }
  result.schedule =
      Schedule{wipe, config::effective_entries(configuration.riding),
               config::effective_entries(configuration.taming), configuration.notices};
  return result;
}

}  // namespace quellwarden::check
