// Quotes and backslashes stay as they are, so a class name reads in the log as the admin wrote it;
// only what moves a terminal's cursor, ends a line or hides itself is spelled out.
#include "text/printable.h"

#include <array>

#include "text/utf8.h"

namespace quellwarden {
namespace {

struct Range {
  char32_t first;
  char32_t last;
};

// Beyond ASCII, what escapes; each lies in the two- or three-byte forms of UTF-8.
constexpr std::array<Range, 9> kHidden{{{0x0080, 0x009F},
                                        {0x00AD, 0x00AD},
                                        {0x061C, 0x061C},
                                        {0x180E, 0x180E},
                                        {0x200B, 0x200F},
                                        {0x2028, 0x202E},
                                        {0x2060, 0x206F},
                                        {0xFEFF, 0xFEFF},
                                        {0xFFF9, 0xFFFB}}};

bool is_hidden(char32_t code) {
  for (const Range& range : kHidden) {
    if (code >= range.first && code <= range.last) return true;
  }
  return false;
}

// The character the bytes at `rest` begin with, when it is one to escape; none has length 0. A
// byte that begins no well-formed character passes as it is.
Utf8Character escaped_at(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  if (lead < 0x20 || lead == 0x7F) return {lead, 1};
  const Utf8Character character = utf8_character_at(rest, 0);
  return character.length > 1 && is_hidden(character.code) ? character : Utf8Character{};
}

// Printable ASCII, the most of every text, needs no closer look.
bool plain(unsigned char byte) { return byte >= 0x20 && byte < 0x7F; }

void append_escaped(char32_t code, std::string& out) {
  static constexpr char kHex[] = "0123456789abcdef";
  switch (code) {
    case '\r':
      out += "\\r";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      out += "\\u";
      for (unsigned shift = 12;; shift -= 4) {
        out += kHex[(code >> shift) & 0x0FU];
        if (shift == 0) return;
      }
  }
}

// The first character at or after `from` to escape; its length is 0 when there is none.
struct Found {
  std::size_t at = 0;
  Utf8Character escaped;
};

Found next_escaped(std::string_view text, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    if (plain(static_cast<unsigned char>(text[at]))) continue;
    const Utf8Character escaped = escaped_at(text.substr(at));
    if (escaped.length != 0) return {at, escaped};
  }
  return {text.size(), {}};
}

}  // namespace

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Found found = next_escaped(text, at);
    out.append(text.substr(at, found.at - at));
    if (found.escaped.length == 0) break;
    append_escaped(found.escaped.code, out);
    at = found.at + found.escaped.length;
  }
  return out;
}

}  // namespace quellwarden
