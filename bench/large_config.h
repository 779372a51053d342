// The configuration the load benchmarks read: 50,000 riding and 50,000 taming entries.
#pragma once

#include <filesystem>

namespace bench {

inline constexpr int kEntriesPerList = 50000;

// Writes the file as the plugin's configuration (see write_config()) and sets the plugin up; the
// same text every time, made once.
std::filesystem::path write_large_config();

}  // namespace bench
