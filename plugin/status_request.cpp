// Keywords are few and short, so they are told from a class name by a whole-word match.
#include "plugin/status_request.h"

#include <fmt/format.h>

#include <algorithm>

#include "config/vocabulary.h"
#include "text/ascii_fold.h"
#include "text/quoted_text.h"

namespace quellwarden {
namespace {

constexpr std::string_view kBlanks = " \t";

bool is_keyword(std::string_view word, std::string_view keyword) {
  return compare_folded(word, keyword) == 0;
}

}  // namespace

bool StatusRequest::admits(const config::DelayEntry& entry, std::int64_t now) const {
  if (locked_only && entry.unlock_time <= now) return false;
  return names(entry.class_name);
}

bool StatusRequest::names(std::string_view name) const {
  // Folded as the comparison goes: no copy of the name for each entry of a long list.
  return text.empty() ||
         std::search(name.begin(), name.end(), text.begin(), text.end(),
                     [](char a, char b) { return ascii_upper(a) == ascii_upper(b); }) != name.end();
}

std::string StatusRequest::nothing_matches() const {
  return fmt::format(
      config::kStatusNoMatch, locked_only ? config::kStatusHeldBackNow : "",
      text.empty() ? std::string() : fmt::format(config::kStatusNameHolds, in_quotes(text)));
}

StatusRequest status_request(std::string_view command_line) {
  StatusRequest request;
  // The host may pass the line as the client sent it, blanks before the command's name included.
  const std::size_t name = command_line.find_first_not_of(kBlanks);
  std::size_t at =
      name == std::string_view::npos ? name : command_line.find_first_of(kBlanks, name);
  while (at != std::string_view::npos) {
    const std::size_t start = command_line.find_first_not_of(kBlanks, at);
    if (start == std::string_view::npos) break;
    at = command_line.find_first_of(kBlanks, start);
    const std::string_view word = command_line.substr(start, at - start);
    if (is_keyword(word, "json")) {
      request.json = true;
    } else if (is_keyword(word, "locked")) {
      request.locked_only = true;
    } else if (is_keyword(word, "seen")) {
      request.seen = true;
    } else if (is_keyword(word, "next")) {
      request.next = true;
    } else {
      request.text.append(request.text.empty() ? "" : " ").append(word);
    }
  }
  return request;
}

}  // namespace quellwarden
