// Quoting escapes with the log's own function, so a name reads the same in every report.
#include "text/quoted_text.h"

#include "text/printable.h"

namespace quellwarden {

std::string in_quotes(std::string_view name) { return '"' + printable(name) + '"'; }

std::string spoken_list(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t index = 0; index < items.size(); ++index) {
    text += index == 0 ? "" : index + 1 == items.size() ? " and " : ", ";
    text += items[index];
  }
  return text;
}

}  // namespace quellwarden
