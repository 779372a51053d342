// The plugin's own evaluation decides whether the file loads and what looks wrong, so the checker
// words nothing about the configuration itself.
#include "tools/check/check.h"

#include <utility>

#include "config/effective_entries.h"
#include "config/evaluation.h"

namespace quellwarden::check {

CheckResult check_text(std::string_view text, const Judging& judging) {
  config::Evaluation evaluation = config::evaluate(text, {judging.now, judging.at_wipe});
  CheckResult result;
  result.now = evaluation.judged_at;
  result.warnings = std::move(evaluation.diagnostics);
  if (evaluation.refusal) {
    result.errors.push_back(std::move(evaluation.refusal->text));
    result.hints = std::move(evaluation.refusal->hints);
    return result;
  }
  const config::Configuration& configuration = *evaluation.configuration;
  const std::int64_t wipe = configuration.wipe_timestamp;
  if (!judging.zone.is_utc(judging.now)) {
    if (auto mismatch = config::zone_offset_diagnostic(evaluation.document, configuration,
                                                       judging.zone.offset(wipe))) {
      result.warnings.push_back(std::move(*mismatch));
    }
  }
  result.schedule =
      config::Schedule{wipe, config::effective_entries(configuration.riding),
                       config::effective_entries(configuration.taming), configuration.notices};
  return result;
}

}  // namespace quellwarden::check
