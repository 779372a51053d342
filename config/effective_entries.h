// What a delay table holds once every entry of a list has been added to it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/configuration.h"

namespace quellwarden::config {

// The entries in adding order collapse as the table collapses them: a class name that equals an
// earlier one but for ASCII letter case replaces it, name and hours. The result is sorted by
// unlock time, then class name.
std::vector<config::DelayEntry> effective_entries(const std::vector<config::DelayEntry>& added);

}  // namespace quellwarden::config
