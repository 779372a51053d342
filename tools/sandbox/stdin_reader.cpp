// poll() on the input and on a pipe of our own: writing to the pipe wakes the reader to stop.
#include "tools/sandbox/stdin_reader.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

namespace quellwarden::sandbox {

StdinReader::StdinReader(int fd, LineHandler on_line, EndHandler on_end)
    : fd_(fd), on_line_(std::move(on_line)), on_end_(std::move(on_end)) {
  if (::pipe(wake_) != 0) {
    throw std::system_error(errno, std::generic_category(), "pipe");
  }
  thread_ = std::thread([this] { run(); });
}

StdinReader::~StdinReader() {
  const char stop = 0;
  [[maybe_unused]] const auto written = ::write(wake_[1], &stop, 1);
  thread_.join();
  ::close(wake_[0]);
  ::close(wake_[1]);
}

void StdinReader::run() {
  std::string pending;
  std::array<char, 4096> chunk{};
  for (;;) {
    std::array<pollfd, 2> waits{{{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}}};
    if (::poll(waits.data(), waits.size(), -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      break;
    }
    if (waits[1].revents != 0) {
      return;  // asked to stop: the program is ending, nobody wants the rest
    }
    const ssize_t got = ::read(fd_, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    pending.append(chunk.data(), static_cast<std::size_t>(got));
    std::size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
      std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
      }
      on_line_(std::move(line));
    }
  }
  if (!pending.empty()) {
    on_line_(std::move(pending));  // a last line without its line end still counts
  }
  on_end_();
}

}  // namespace quellwarden::sandbox
