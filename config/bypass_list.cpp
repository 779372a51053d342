// An id the host never gives matches no one, so a wrong element is dropped on its own; an empty
// id is dropped too, since a player whose id the host cannot tell would match it.
#include "config/bypass_list.h"

#include <algorithm>

#include "config/document.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"

namespace quellwarden::config {

BypassReading read_bypass(const Document& document) {
  const MemberValue& bypass = document.members[kBypass];
  BypassReading reading;
  if (!bypass.present()) return reading;
  if (bypass.type() != ValueType::array) {
    reading.problems.push_back({DiagnosticCode::invalid_bypass,
                                {kBypass},
                                in_quotes(kBypass) + " is " + value_text(bypass) +
                                    ", so no player passes the gates; write a list of players' "
                                    "unique ids, such as [\"0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4\"]"});
    return reading;
  }
  for (std::size_t index = 0; index < bypass.elements.size(); ++index) {
    const Value& element = bypass.elements[index];
    const bool id = element.type() == ValueType::string &&
                    !element.held().get_ref<const std::string&>().empty();
    if (id) {
      reading.ids.push_back(element.held().get<std::string>());
      continue;
    }
    reading.problems.push_back({DiagnosticCode::invalid_bypass,
                                {kBypass, std::to_string(index)},
                                in_quotes(kBypass) + " holds " + value_text(element) +
                                    ", which lets no player through; write a player's unique id "
                                    "as text"});
  }
  std::sort(reading.ids.begin(), reading.ids.end());
  reading.ids.erase(std::unique(reading.ids.begin(), reading.ids.end()), reading.ids.end());
  return reading;
}

}  // namespace quellwarden::config
