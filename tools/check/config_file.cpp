// The file an admin names, read as the plugin reads its own: whole, and never waited on.
#include "tools/check/config_file.h"

#include <algorithm>
#include <filesystem>

#include "config/vocabulary.h"
#include "text/utf8_path.h"

namespace quellwarden::check {
namespace {

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
  if (!std::filesystem::is_directory(path_of_utf8(given), error)) return given;
  const char separator = separator_in(given);
  std::string plugin_file = config::config_path_text();
  std::replace(plugin_file.begin(), plugin_file.end(), '/', separator);
  const std::string folder =
      given.ends_with('/') || given.ends_with(separator) ? given : given + separator;
  for (const std::string& inside : {folder + plugin_file, folder + config::kConfigFileName}) {
    if (std::filesystem::exists(path_of_utf8(inside), error)) return inside;
  }
  return given;
}

// A folder here is one config_file_path() found nothing in, which says more than the reader can.
config::FileBytes read_config_file(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path_of_utf8(path), error)) {
    return {std::nullopt,
            "is a directory without " + config::config_path_text() + " or " +
                config::kConfigFileName + " in it",
            false};
  }
  return config::read_whole_file(path_of_utf8(path));
}

}  // namespace quellwarden::check
