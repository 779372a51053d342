// One line at a time to standard output, never interleaved between threads.
#include "tools/sandbox/transcript.h"

namespace quellwarden::sandbox {

void Transcript::line(std::string_view text) {
  const std::lock_guard lock(mutex_);
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

std::string printable(std::string_view text, std::size_t limit) {
  constexpr const char* kHex = "0123456789abcdef";
  std::string out;
  for (std::size_t at = 0; at < text.size() && at < limit; ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += static_cast<char>(byte);
    }
  }
  if (text.size() > limit) {
    out += "...";
  }
  return out;
}

}  // namespace quellwarden::sandbox
