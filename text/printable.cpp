// Quotes and backslashes stay as they are, so a class name reads in the log as the admin wrote it;
// only the bytes that move a terminal's cursor or end a line are spelled out.
#include "text/printable.h"

namespace quellwarden {
namespace {

bool is_control(unsigned char code) { return code < 0x20 || code == 0x7F; }

void append_escaped(unsigned char code, std::string& out) {
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
      out += "\\u00";
      out += kHex[code >> 4];
      out += kHex[code & 0x0F];
  }
}

}  // namespace

bool needs_escape(std::string_view text) {
  for (const char byte : text) {
    if (is_control(static_cast<unsigned char>(byte))) return true;
  }
  return false;
}

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char byte : text) {
    const auto code = static_cast<unsigned char>(byte);
    if (is_control(code)) {
      append_escaped(code, out);
    } else {
      out += byte;
    }
  }
  return out;
}

}  // namespace quellwarden
