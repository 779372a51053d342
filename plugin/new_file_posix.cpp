// Exclusive creation with O_EXCL, which also refuses a link at the name, dangling or not; the
// time goes through the descriptor, so it is the new file's whatever happens at its name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "plugin/new_file.h"

namespace quellwarden {
namespace {

std::string system_reason(int code) { return std::generic_category().message(code); }

// 0, or the error that stopped the writing.
int write_all(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// A time the file system cannot keep leaves the file its own: the bytes matter, the time only
// tells the admin when.
void stamp(int descriptor, std::int64_t written) {
  const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(written), 0}};
  ::futimens(descriptor, times);
}

}  // namespace

NewFile write_new_file(const std::filesystem::path& path, std::string_view bytes,
                       std::int64_t written) {
  const int descriptor =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (descriptor < 0) return {errno == EEXIST, system_reason(errno)};
  int failure = write_all(descriptor, bytes);
  if (failure == 0) {
    stamp(descriptor, written);
    if (::fsync(descriptor) != 0) failure = errno;
  }
  if (::close(descriptor) != 0 && failure == 0) failure = errno;
  if (failure == 0) return {};
  ::unlink(path.c_str());
  return {false, system_reason(failure)};
}

std::optional<std::int64_t> file_written(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return static_cast<std::int64_t>(status.st_mtim.tv_sec);
}

}  // namespace quellwarden
