// A file the plugin creates for itself, where nothing stood before: the one part of writing its
// own files that differs between platforms (plugin/new_file_posix.cpp, new_file_windows.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quellwarden {

struct NewFile {
  // Something stood at the path already, a link included; it was left as it was.
  bool taken = false;
  // Why the file was not written, as the system words it; empty when it was.
  std::string failure;
};

// Creates `path` only where nothing stands, never through a link, writes `bytes`, gives it
// `written` (Unix seconds) as its time, and flushes it to disk before it returns. A file it
// created but could not finish is removed.
NewFile write_new_file(const std::filesystem::path& path, std::string_view bytes,
                       std::int64_t written);

// When `path` was last written (Unix seconds), in any year the system can keep; nothing when the
// system cannot tell.
std::optional<std::int64_t> file_written(const std::filesystem::path& path);

}  // namespace quellwarden
