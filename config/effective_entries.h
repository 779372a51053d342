// What a delay table holds once every entry of a list has been added to it, in report order.
#pragma once

#include <vector>

#include "config/config_reader.h"

namespace quellwarden::config {

// The entries in adding order collapse as the table collapses them: a class name that is one
// class with an earlier one (core/same_class.h) replaces it, name and hours. The result is sorted
// as sort_by_unlock() sorts.
std::vector<DelayEntry> effective_entries(const std::vector<DelayEntry>& added);

// By unlock time, then class name: the order every report lists entries in, the next to be
// released first.
void sort_by_unlock(std::vector<DelayEntry>& entries);

}  // namespace quellwarden::config
