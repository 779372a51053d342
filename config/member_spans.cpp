// A scanner of JSON's shape only: it finds where values start and end and reads member names, and
// leaves what values mean to the reader (document_reader.cpp). Nested values are skipped with a
// depth count, so no depth of the file reaches the stack.
#include "config/member_spans.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "config/slip_filter.h"

namespace quellwarden::config {
namespace {

constexpr std::size_t kNowhere = std::string_view::npos;

bool is_scalar_byte(char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
         (byte >= 'A' && byte <= 'Z') || byte == '+' || byte == '-' || byte == '.';
}

// Blanks and comments from `at`: where they end, and where the blanks after the last comment
// start (a line comment owns its line end, so nothing after it can join its line).
struct Blanks {
  std::size_t end = 0;
  std::size_t plain_start = 0;
};

// A comment never closed ends the blanks where it starts, which no caller takes for a value.
Blanks skip_blanks(std::string_view bytes, std::size_t at) {
  std::size_t plain_start = at;
  while ((at = bytes.find_first_not_of(kJsonBlanks, at)) != kNowhere) {
    std::size_t end = comment_end(bytes, at);
    if (end == 0) break;
    if (bytes[at + 1] == '/') {  // its line end, CR LF as one, is the comment's
      if (end < bytes.size() && bytes[end] == '\r') ++end;
      if (end < bytes.size() && bytes[end] == '\n') ++end;
    }
    at = end;
    plain_start = at;
  }
  return {std::min(at, bytes.size()), plain_start};
}

std::size_t container_end(std::string_view bytes, std::size_t at) {
  std::size_t depth = 0;
  while (at < bytes.size()) {
    const char byte = bytes[at];
    if (byte == '"') {
      at = string_end(bytes, at);
      if (at == kNowhere) return kNowhere;
      continue;
    }
    if (byte == '/') {
      const std::size_t after = skip_blanks(bytes, at).end;
      if (after == at) return kNowhere;
      at = after;
      continue;
    }
    if (byte == '{' || byte == '[') ++depth;
    if (byte == '}' || byte == ']') --depth;
    ++at;
    if (depth == 0) return at;
  }
  return kNowhere;
}

// One past the value that starts at `at`; kNowhere when none does.
std::size_t value_end(std::string_view bytes, std::size_t at) {
  if (at >= bytes.size()) return kNowhere;
  if (bytes[at] == '"') return string_end(bytes, at);
  if (bytes[at] == '{' || bytes[at] == '[') return container_end(bytes, at);
  std::size_t end = at;
  while (end < bytes.size() && is_scalar_byte(bytes[end])) ++end;
  return end == at ? kNowhere : end;
}

std::optional<std::string> unescaped(std::string_view quoted) {
  try {
    return nlohmann::json::parse(quoted).get<std::string>();
  } catch (const nlohmann::json::exception&) {
    return std::nullopt;
  }
}

// The member whose name's blanks start at `blanks`; fills `member` up to its value's end and
// returns where the blanks after the value start, or kNowhere.
std::size_t read_member(std::string_view bytes, Blanks blanks, MemberSpan& member) {
  member.blanks_start = blanks.plain_start;
  member.name_start = blanks.end;
  const std::size_t name_end = string_end(bytes, member.name_start);
  if (name_end == kNowhere) return kNowhere;
  std::optional<std::string> name =
      unescaped(bytes.substr(member.name_start, name_end - member.name_start));
  if (!name) return kNowhere;
  member.name = std::move(*name);
  const std::size_t colon = skip_blanks(bytes, name_end).end;
  if (colon >= bytes.size() || bytes[colon] != ':') return kNowhere;
  member.value_start = skip_blanks(bytes, colon + 1).end;
  member.value_end = value_end(bytes, member.value_start);
  return member.value_end;
}

}  // namespace

std::optional<ObjectSpan> object_at(std::string_view bytes, std::size_t open) {
  if (open >= bytes.size() || bytes[open] != '{') return std::nullopt;
  ObjectSpan object{open, 0, {}};
  Blanks blanks = skip_blanks(bytes, open + 1);
  if (blanks.end < bytes.size() && bytes[blanks.end] == '}') {
    object.close = blanks.end;
    return object;
  }
  while (blanks.end < bytes.size() && bytes[blanks.end] == '"') {
    MemberSpan& member = object.members.emplace_back();
    const std::size_t after_value = read_member(bytes, blanks, member);
    if (after_value == kNowhere) return std::nullopt;
    const std::size_t next = skip_blanks(bytes, after_value).end;
    if (next >= bytes.size()) return std::nullopt;
    if (bytes[next] == '}') {
      object.close = next;
      return object;
    }
    if (bytes[next] != ',') return std::nullopt;
    member.comma = next;
    blanks = skip_blanks(bytes, next + 1);
    member.after_comma = std::min(bytes.find_first_not_of(kJsonBlanks, next + 1), bytes.size());
  }
  // A comma right before the closing brace, which the reader takes as if it were not there.
  if (!object.members.empty() && blanks.end < bytes.size() && bytes[blanks.end] == '}') {
    object.close = blanks.end;
    return object;
  }
  return std::nullopt;
}

std::size_t first_value(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const std::size_t start = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark ? 3 : 0;
  return skip_blanks(bytes, start).end;
}

}  // namespace quellwarden::config
