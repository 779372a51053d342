// Reads lines from standard input on a thread of its own, so that waiting for the next typed line
// never holds up RCON requests on the game thread.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace quellwarden::sandbox {

class StdinReader {
 public:
  using LineHandler = std::function<void(std::string line)>;
  using EndHandler = std::function<void()>;

  // Calls on_line for each line (without its line end) and on_end once at end of input, both
  // from the reader's thread.
  StdinReader(LineHandler on_line, EndHandler on_end);
  StdinReader(const StdinReader&) = delete;
  StdinReader& operator=(const StdinReader&) = delete;
  // Stops reading, even in the middle of a wait for input: no handler runs after this.
  ~StdinReader();

 private:
  // The reading thread's side: what it waits on and how it is told to stop, which differ by
  // platform (stdin_reader_posix.cpp, stdin_reader_windows.cpp).
  struct Reader;

  std::shared_ptr<Reader> reader_;
  std::thread thread_;
};

}  // namespace quellwarden::sandbox
