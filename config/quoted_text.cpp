// Quoting escapes with the log's own function, so a name reads the same in every report.
#include "config/quoted_text.h"

#include "text/printable.h"

namespace quellwarden::config {

std::string in_quotes(std::string_view name) { return '"' + printable(name) + '"'; }

}  // namespace quellwarden::config
