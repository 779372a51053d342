// Quoting borrows the JSON library's own escaping so that a report and its JSON form quote alike.
#include "config/quoted_text.h"

#include <nlohmann/json.hpp>

namespace quellwarden::config {

std::string json_quoted(std::string_view name) {
  return nlohmann::json(std::string(name))
      .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace quellwarden::config
