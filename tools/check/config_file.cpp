// Reads the whole file at once: the duplicate-member scan needs the text after the parse.
#include "tools/check/config_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/vocabulary.h"

namespace quellwarden::check {
namespace {

// Paths travel as UTF-8 text, which Windows' narrow file names are not.
std::filesystem::path path_of(const std::string& utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

// Windows' own separator where the admin typed it, so that the joined path reads as one.
char separator_in(const std::string& folder) {
  constexpr auto kSystem = static_cast<char>(std::filesystem::path::preferred_separator);
  return folder.find(kSystem) != std::string::npos ? kSystem : '/';
}

}  // namespace

// Joined as text, so that the report shows the path as the admin typed it, without a round trip
// through the platform's path encoding.
std::string config_file_path(const std::string& given) {
  std::error_code error;
  if (!std::filesystem::is_directory(path_of(given), error)) return given;
  const char separator = separator_in(given);
  std::string plugin_file = config::config_path_text();
  std::replace(plugin_file.begin(), plugin_file.end(), '/', separator);
  const std::string folder =
      given.ends_with('/') || given.ends_with(separator) ? given : given + separator;
  for (const std::string& inside : {folder + plugin_file, folder + config::kConfigFileName}) {
    if (std::filesystem::exists(path_of(inside), error)) return inside;
  }
  return given;
}

ConfigFile read_config_file(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path_of(path), error)) {
    return {std::nullopt, "is a directory without " + config::config_path_text() + " or " +
                              config::kConfigFileName + " in it"};
  }
  errno = 0;
  std::ifstream file(path_of(path), std::ios::binary);
  if (!file.is_open()) {
    return {std::nullopt, errno != 0 ? std::strerror(errno) : "cannot be opened"};
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return {std::nullopt, "cannot be read"};
  return {std::move(text).str(), {}};
}

}  // namespace quellwarden::check
