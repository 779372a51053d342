// Reads lines from a file descriptor on a thread of its own, so that waiting for the next typed
// line never holds up RCON requests on the game thread.
#pragma once

#include <functional>
#include <string>
#include <thread>

namespace quellwarden::sandbox {

class StdinReader {
 public:
  using LineHandler = std::function<void(std::string line)>;
  using EndHandler = std::function<void()>;

  // Calls on_line for each line (without its line end) and on_end once at end of input, both
  // from the reader's thread.
  StdinReader(int fd, LineHandler on_line, EndHandler on_end);
  StdinReader(const StdinReader&) = delete;
  StdinReader& operator=(const StdinReader&) = delete;
  // Stops reading, even in the middle of a wait for input.
  ~StdinReader();

 private:
  void run();

  int fd_;
  int wake_[2] = {-1, -1};
  LineHandler on_line_;
  EndHandler on_end_;
  std::thread thread_;
};

}  // namespace quellwarden::sandbox
