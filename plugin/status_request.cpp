// Keywords are few and short, so they are told from a class name by a whole-word match.
#include "plugin/status_request.h"

#include <fmt/format.h>

#include "config/ascii_fold.h"
#include "config/quoted_text.h"
#include "config/vocabulary.h"

namespace quellwarden {
namespace {

constexpr std::string_view kBlanks = " \t";

bool is_keyword(std::string_view word, std::string_view keyword) {
  return config::ascii_folded(word) == config::ascii_folded(keyword);
}

}  // namespace

bool StatusRequest::admits(const config::DelayEntry& entry, std::int64_t now) const {
  if (locked_only && entry.unlock_time <= now) return false;
  return text.empty() || config::ascii_folded(entry.class_name).find(config::ascii_folded(text)) !=
                             std::string::npos;
}

std::string StatusRequest::nothing_matches() const {
  return fmt::format(config::kStatusNoMatch, locked_only ? config::kStatusHeldBackNow : "",
                     text.empty() ? std::string()
                                  : fmt::format(config::kStatusNameHolds, config::in_quotes(text)));
}

StatusRequest status_request(std::string_view command_line) {
  StatusRequest request;
  std::size_t at = command_line.find_first_of(kBlanks);  // past the command's own name
  while (at != std::string_view::npos) {
    const std::size_t start = command_line.find_first_not_of(kBlanks, at);
    if (start == std::string_view::npos) break;
    at = command_line.find_first_of(kBlanks, start);
    const std::string_view word = command_line.substr(start, at - start);
    if (is_keyword(word, "json")) {
      request.json = true;
    } else if (is_keyword(word, "locked")) {
      request.locked_only = true;
    } else {
      request.text += (request.text.empty() ? "" : " ") + std::string(word);
    }
  }
  return request;
}

}  // namespace quellwarden
