// poll() on the input and on a pipe of our own: writing to the pipe wakes the reader to stop.
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "tools/sandbox/line_splitter.h"
#include "tools/sandbox/stdin_reader.h"

namespace quellwarden::sandbox {

struct StdinReader::Reader {
  int wake[2] = {-1, -1};
  LineHandler on_line;
  EndHandler on_end;

  void run() const;
};

StdinReader::StdinReader(LineHandler on_line, EndHandler on_end)
    : reader_(std::make_shared<Reader>()) {
  reader_->on_line = std::move(on_line);
  reader_->on_end = std::move(on_end);
  if (::pipe(reader_->wake) != 0) {
    throw std::system_error(errno, std::generic_category(), "pipe");
  }
  thread_ = std::thread([reader = reader_] { reader->run(); });
}

StdinReader::~StdinReader() {
  const char stop = 0;
  [[maybe_unused]] const auto written = ::write(reader_->wake[1], &stop, 1);
  thread_.join();
  ::close(reader_->wake[0]);
  ::close(reader_->wake[1]);
}

void StdinReader::Reader::run() const {
  LineSplitter lines;
  std::array<char, 4096> chunk{};
  for (;;) {
    std::array<pollfd, 2> waits{{{STDIN_FILENO, POLLIN, 0}, {wake[0], POLLIN, 0}}};
    if (::poll(waits.data(), waits.size(), -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      break;
    }
    if (waits[1].revents != 0) {
      return;  // asked to stop: the program is ending, nobody wants the rest
    }
    const ssize_t got = ::read(STDIN_FILENO, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    lines.feed({chunk.data(), static_cast<std::size_t>(got)}, on_line);
  }
  lines.finish(on_line);
  on_end();
}

}  // namespace quellwarden::sandbox
