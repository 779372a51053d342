// The files of this build as a running test program finds them: itself, and the plugin beside it.
#pragma once

#include <filesystem>
#include <string>

#include "text/utf8_path.h"

namespace qw_test {

// The running program's own file, as the system names it.
std::filesystem::path program_file();

// Paths travel to the loader and the messenger as UTF-8, whatever the system's own encoding.
inline std::string utf8(const std::filesystem::path& path) {
  return quellwarden::utf8_of_path(path);
}

// The plugin library as built: the build puts it beside every test program.
std::string built_plugin_path();

}  // namespace qw_test
