// Escapes control characters; every other byte, UTF-8 sequences included, passes unchanged.
#include "log/printable.h"

#include <fmt/format.h>

namespace quellwarden {

std::string printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char byte : text) {
    const auto code = static_cast<unsigned char>(byte);
    if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (code < 0x20 || code == 0x7F) {
      out += fmt::format("\\u{:04x}", code);
    } else {
      out += byte;
    }
  }
  return out;
}

}  // namespace quellwarden
