// One of the plugin's own files replaced in one step: a reader, another server sharing the folder
// included, finds the old file or the new one, whole, never an empty, torn or mixed one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quellwarden {

// Writes `bytes`, with `written` (Unix seconds) as the file's time, to a temporary file of a name
// no one else picks, created where nothing stood and flushed to disk, then renames it over
// `target`. A file or link left at a temporary name is neither followed nor reused. Returns why it
// failed, as the system words it, with no temporary file left; empty when `target` was replaced.
std::string replace_file(const std::filesystem::path& target, std::string_view bytes,
                         std::int64_t written);

}  // namespace quellwarden
