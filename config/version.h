// The version of the plugin and its tools, from the build's project version.
#pragma once

#include <string_view>

namespace quellwarden {

inline constexpr std::string_view kVersion = QW_VERSION;

}  // namespace quellwarden
