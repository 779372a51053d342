// A whole file's bytes, or why they cannot be had, in the words the plugin's log and the checker
// both give.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace quellwarden::config {

struct FileBytes {
  std::optional<std::string> bytes;
  // When the bytes are absent: the system's words ("No such file or directory"), "it is a folder",
  // "it is not a regular file (a named pipe or a device)" or "it cannot be read".
  std::string problem;
  bool missing = false;  // nothing stands at the path
};

// Reads the file at `path` in one go. Never waits: what is not a regular file is refused by the
// type of what was opened, before any read, so nothing can take its place in between.
FileBytes read_whole_file(const std::filesystem::path& path);

// The platform's side (file_bytes_posix.cpp, file_bytes_windows.cpp): a descriptor that opening
// did not wait for, or -1 with errno set; its kind and size; reads (-1 with errno set); closing.
namespace detail {
enum class FileKind { regular, folder, other, unknown };
int open_for_reading(const std::filesystem::path& path);
FileKind kind_of(int file, std::size_t& size);
long long read_some(int file, char* into, std::size_t size);
void close_file(int file);
}  // namespace detail

}  // namespace quellwarden::config
