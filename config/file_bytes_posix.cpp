// Opening without waiting matters for a named pipe, whose open waits for a writer otherwise.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config/file_bytes.h"

namespace quellwarden::config::detail {

int open_for_reading(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

FileKind kind_of(int file, std::size_t& size) {
  struct stat status {};
  if (::fstat(file, &status) != 0) return FileKind::unknown;
  size = static_cast<std::size_t>(status.st_size);
  if (S_ISDIR(status.st_mode)) return FileKind::folder;
  return S_ISREG(status.st_mode) ? FileKind::regular : FileKind::other;
}

long long read_some(int file, char* into, std::size_t size) { return ::read(file, into, size); }

void close_file(int file) { ::close(file); }

}  // namespace quellwarden::config::detail
