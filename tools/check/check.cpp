// The plugin's reader decides whether the file loads and the shared diagnostics say what looks
// wrong, so the checker words nothing about the configuration itself.
#include "tools/check/check.h"

#include <variant>

#include "config/document.h"
#include "config/effective_entries.h"
#include "config/vocabulary.h"
#include "log/printable.h"
#include "tools/check/parse_hints.h"

namespace quellwarden::check {

CheckResult check_text(std::string_view text, std::int64_t now) {
  CheckResult result;
  const config::Document document = config::read_document(text);
  if (document.parse_error) {
    result.errors.push_back(config::kParseFailure + printable(*document.parse_error));
    result.hints = parse_hints(text);
    return result;
  }
  std::variant<config::Configuration, config::Refusal> reading =
      config::read_configuration(document);
  if (auto* refusal = std::get_if<config::Refusal>(&reading)) {
    result.warnings = config::diagnose(document, nullptr, now);
    result.errors.push_back(std::move(refusal->text));
    if (!refusal->hint.empty()) result.hints.push_back(std::move(refusal->hint));
    return result;
  }
  const config::Configuration& configuration = std::get<config::Configuration>(reading);
  result.warnings = config::diagnose(document, &configuration, now);
  result.schedule =
      Schedule{configuration.wipe_timestamp, config::effective_entries(configuration.riding),
               config::effective_entries(configuration.taming), configuration.notices};
  return result;
}

}  // namespace quellwarden::check
