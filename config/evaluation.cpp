// The parse failure is worded here once, with the likely causes that the library's message leaves
// cryptic as its hints.
#include "config/evaluation.h"

#include <utility>

#include "config/parse_hints.h"
#include "config/vocabulary.h"
#include "text/printable.h"

namespace quellwarden::config {

Evaluation evaluate(std::string_view bytes, Moment moment) {
  Evaluation evaluation{read_document(bytes), {}, {}, {}, moment.now, {}};
  const Document& document = evaluation.document;
  if (document.parse_error) {
    // The library quotes the bytes it stopped at; DEL among them would pass its own escaping.
    evaluation.refusal =
        Refusal{kParseFailure + printable(*document.parse_error), {}, parse_hints(bytes)};
    if (auto hint = missing_comma_hint(bytes, document.parse_error_at, *document.parse_error)) {
      evaluation.refusal->hints.push_back(std::move(*hint));
    }
    return evaluation;
  }
  ConfigurationReading reading = read_all(document);
  if (!reading.errors.empty()) {
    evaluation.refusal = all_errors(std::move(reading.errors));
    if (reading.salvageable) {
      evaluation.salvage = Salvage{std::move(reading.configuration), std::move(reading.held)};
    }
    evaluation.diagnostics = diagnose(document, nullptr, moment.now);
    return evaluation;
  }
  evaluation.configuration = std::move(reading.configuration);
  if (moment.at_wipe) evaluation.judged_at = evaluation.configuration->wipe_timestamp;
  evaluation.diagnostics = diagnose(document, &*evaluation.configuration, evaluation.judged_at);
  return evaluation;
}

}  // namespace quellwarden::config
