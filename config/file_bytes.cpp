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

FileBytes not_opened(const std::filesystem::path& path, int code) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) return refused("it is a folder");
  if (code == 0) return refused("it cannot be read");
  return refused(std::generic_category().message(code), code == ENOENT);
}

// An open file closes however the reading ends.
class Opened {
 public:
  explicit Opened(int file) : file_(file) {}
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;
  ~Opened() { detail::close_file(file_); }
  [[nodiscard]] int get() const { return file_; }

 private:
  int file_;
};

// One byte more than the reported size is asked for, so that the end shows without the string
// growing; a file that grew meanwhile is read on to its end.
FileBytes read_to_end(int file, std::size_t size) {
  std::string bytes(size + 1, '\0');
  std::size_t had = 0;
  for (;;) {
    if (had == bytes.size()) bytes.resize(2 * had);
    errno = 0;
    const long long got = detail::read_some(file, bytes.data() + had, bytes.size() - had);
    if (got < 0) {
      return refused(errno != 0 ? std::generic_category().message(errno) : "it cannot be read");
    }
    if (got == 0) break;
    had += static_cast<std::size_t>(got);
  }
  bytes.resize(had);
  return {std::move(bytes), {}, false};
}

}  // namespace

FileBytes read_whole_file(const std::filesystem::path& path) {
  errno = 0;
  const int file = detail::open_for_reading(path);
  if (file < 0) return not_opened(path, errno);
  const Opened opened(file);
  const detail::FileFacts facts = detail::facts_of(file);
  switch (facts.kind) {
    case detail::FileKind::regular:
      return read_to_end(file, facts.size);
    case detail::FileKind::folder:
      return refused("it is a folder");
    case detail::FileKind::other:
      return refused("it is not a regular file (a named pipe or a device)");
    case detail::FileKind::unknown:
      break;
  }
  return refused("it cannot be read");
}

}  // namespace quellwarden::config
