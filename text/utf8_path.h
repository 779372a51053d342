// Paths as UTF-8 text, the way the log, the replies and the tools carry them on every platform:
// Windows' narrow file names are in a code page, which cannot hold every path.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quellwarden {

inline std::filesystem::path path_of_utf8(std::string_view utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

// Backslashes stay on Windows.
inline std::string utf8_of_path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

}  // namespace quellwarden
