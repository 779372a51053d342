// Widths counted in characters, not bytes, so that names beyond ASCII line up.
#include "tools/check/display_text.h"

namespace quellwarden::check {
namespace {

// Bytes of the first `count` characters.
std::size_t prefix_bytes(std::string_view text, std::size_t count) {
  std::size_t bytes = 0;
  for (std::size_t seen = 0; bytes < text.size(); ++bytes) {
    if (starts_character(text[bytes]) && seen++ == count) break;
  }
  return bytes;
}

}  // namespace

std::string padded(std::string_view text, std::size_t width) {
  const std::size_t current = characters_in(text);
  return std::string(text) + std::string(current < width ? width - current : 0, ' ');
}

std::string fit(std::string_view text, std::size_t width) {
  if (characters_in(text) <= width) return padded(text, width);
  const std::size_t kept = width < 3 ? 0 : width - 3;
  return std::string(text.substr(0, prefix_bytes(text, kept))) + std::string(width - kept, '.');
}

}  // namespace quellwarden::check
