// Keywords are few and short, so they are told from a class name by a whole-word match.
#include "plugin/status_request.h"

#include <fmt/format.h>

#include "config/vocabulary.h"
#include "text/ascii_fold.h"
#include "text/quoted_text.h"
#include "text/words.h"

namespace quellwarden {

bool StatusRequest::admits(const config::DelayEntry& entry, std::int64_t now) const {
  if (locked_only && entry.unlock_time <= now) return false;
  return names(entry.class_name);
}

bool StatusRequest::names(std::string_view name) const {
  return text.empty() || contains_folded(name, text);
}

std::string StatusRequest::nothing_matches() const {
  return fmt::format(
      config::kStatusNoMatch, locked_only ? config::kStatusHeldBackNow : "",
      text.empty() ? std::string() : fmt::format(config::kStatusNameHolds, in_quotes(text)));
}

StatusRequest status_request(std::string_view command_line) {
  StatusRequest request;
  // The host may pass the line as the client sent it, blanks before the command's name included.
  const std::vector<std::string_view> words = words_of(command_line);
  for (std::size_t at = 1; at < words.size(); ++at) {
    const std::string_view word = words[at];
    if (same_word(word, "json")) {
      request.json = true;
    } else if (same_word(word, "locked")) {
      request.locked_only = true;
    } else if (same_word(word, "seen")) {
      request.seen = true;
    } else if (same_word(word, "next")) {
      request.next = true;
    } else {
      request.text.append(request.text.empty() ? "" : " ").append(word);
    }
  }
  return request;
}

}  // namespace quellwarden
