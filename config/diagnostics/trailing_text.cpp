// The reader takes the first JSON value and never looks further, so text after it (a second
// object, a stray brace from an edit) is silently lost.
#include "config/diagnostics/checks.h"
#include "text/quoted_text.h"

namespace quellwarden::config {

void check_trailing_text(const std::optional<TrailingText>& trailing, Diagnostics& out) {
  if (!trailing) return;
  out.push_back({DiagnosticCode::trailing_text,
                 {},
                 "text after the JSON value, at line " + std::to_string(trailing->line) +
                     ", column " + std::to_string(trailing->column) + " (" +
                     in_quotes(trailing->start) + (trailing->cut ? "..." : "") +
                     "), is ignored by the plugin, which reads only the first value: remove it, "
                     "or merge it into the first value"});
}

}  // namespace quellwarden::config
