// Cuts a byte stream arriving in pieces into lines: LF ends a line, and a CR before it goes too,
// so scripts written on Windows read the same.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quellwarden::sandbox {

class LineSplitter {
 public:
  using LineHandler = std::function<void(std::string line)>;

  // Calls on_line for each line that `bytes` completes.
  void feed(std::string_view bytes, const LineHandler& on_line);
  // At end of input: a last line without its line end still counts.
  void finish(const LineHandler& on_line);

 private:
  std::string pending_;
};

}  // namespace quellwarden::sandbox
