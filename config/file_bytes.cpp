// Opened once, judged by what was opened, read to its end: the size the system reports is only a
// first guess, since a file may grow while it is read.
#include "config/file_bytes.h"

#include <cerrno>
#include <system_error>

namespace quellwarden::config {
namespace {

FileBytes refused(std::string problem, bool missing = false) {
  return {std::nullopt, std::move(problem), missing};
}

FileBytes failed(int code) {
  return refused(code != 0 ? std::generic_category().message(code) : "it cannot be read",
                 code == ENOENT);
}

// One byte more than the reported size is asked for, so that the end shows without the string
// growing.
FileBytes read_to_end(int file, std::size_t size) {
  std::string bytes(size + 1, '\0');
  std::size_t had = 0;
  for (long long got = 1; got > 0; had += static_cast<std::size_t>(got)) {
    if (had == bytes.size()) bytes.resize(2 * had);
    errno = 0;
    got = detail::read_some(file, bytes.data() + had, bytes.size() - had);
    if (got < 0) return failed(errno);
  }
  bytes.resize(had);
  return {std::move(bytes), {}, false};
}

}  // namespace

FileBytes read_whole_file(const std::filesystem::path& path) {
  errno = 0;
  const int file = detail::open_for_reading(path);
  std::error_code ignored;
  if (file < 0 && std::filesystem::is_directory(path, ignored)) return refused("it is a folder");
  if (file < 0) return failed(errno);
  std::size_t size = 0;
  const detail::FileKind kind = detail::kind_of(file, size);
  FileBytes read = kind == detail::FileKind::regular  ? read_to_end(file, size)
                   : kind == detail::FileKind::folder ? refused("it is a folder")
                   : kind == detail::FileKind::other
                       ? refused("it is not a regular file (a named pipe or a device)")
                       : refused("it cannot be read");
  detail::close_file(file);
  return read;
}

}  // namespace quellwarden::config
