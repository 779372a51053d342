// The plugin's own evaluation decides whether the file loads and what looks wrong, so the checker
// words nothing about the configuration itself.
#include "tools/check/check.h"

#include <utility>

#include "config/effective_entries.h"
#include "config/evaluation.h"
#include "config/time_text.h"

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
  config::Evaluation evaluation = config::evaluate(text, {judging.now, judging.at_wipe});
  CheckResult result;
  result.now = evaluation.judged_at;
  result.warnings = std::move(evaluation.diagnostics);
  if (evaluation.refusal) {
    result.errors.push_back(std::move(evaluation.refusal->text));
    result.hints = std::move(evaluation.refusal->hints);
    result.salvageable = evaluation.salvage.has_value();
    return result;
  }
  const config::Document& document = evaluation.document;
  const config::Configuration& configuration = *evaluation.configuration;
  const std::int64_t wipe = configuration.wipe_timestamp;
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
  config::Schedule& schedule = result.schedule.emplace(std::move(*evaluation.configuration));
  schedule.riding = config::effective_entries(schedule.riding);
  schedule.taming = config::effective_entries(schedule.taming);
  return result;
}

}  // namespace quellwarden::check
