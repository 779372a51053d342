// The C runtime's descriptors over wide paths; a folder does not open, and a console or a pipe
// opens without a read.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>

#include "config/file_bytes.h"

namespace quellwarden::config::detail {

int open_for_reading(const std::filesystem::path& path) {
  return _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

FileKind kind_of(int file, std::size_t& size) {
  struct _stat64 status {};
  if (_fstat64(file, &status) != 0) return FileKind::unknown;
  size = static_cast<std::size_t>(status.st_size);
  if ((status.st_mode & _S_IFMT) == _S_IFDIR) return FileKind::folder;
  return (status.st_mode & _S_IFMT) == _S_IFREG ? FileKind::regular : FileKind::other;
}

long long read_some(int file, char* into, std::size_t size) {
  return _read(file, into, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

void close_file(int file) { _close(file); }

}  // namespace quellwarden::config::detail
