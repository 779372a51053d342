// Reads the whole file at once: the duplicate-member scan needs the text after the parse.
#include "tools/check/config_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/vocabulary.h"

namespace quellwarden::check {

// Joined as text, so that the report shows the path as the admin typed it, without a round trip
// through the platform's path encoding.
std::string config_file_path(const std::string& given) {
  std::error_code error;
  if (!std::filesystem::is_directory(given, error)) return given;
  const std::string folder = given.ends_with('/') || given.ends_with('\\') ? given : given + '/';
  for (const std::string& inside :
       {folder + config::config_path_text(), folder + config::kConfigFileName}) {
    if (std::filesystem::exists(inside, error)) return inside;
  }
  return given;
}

ConfigFile read_config_file(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return {std::nullopt, "is a directory without " + config::config_path_text() + " or " +
                              config::kConfigFileName + " in it"};
  }
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) {
    return {std::nullopt, errno != 0 ? std::strerror(errno) : "cannot be opened"};
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return {std::nullopt, "cannot be read"};
  return {std::move(text).str(), {}};
}

}  // namespace quellwarden::check
