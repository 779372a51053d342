// Lines are cut as soon as their LF arrives, so a typed command runs without waiting for more.
#include "tools/sandbox/line_splitter.h"

namespace quellwarden::sandbox {

void LineSplitter::feed(std::string_view bytes, const LineHandler& on_line) {
  pending_.append(bytes);
  std::size_t end = 0;
  while ((end = pending_.find('\n')) != std::string::npos) {
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    on_line(std::move(line));
  }
}

void LineSplitter::finish(const LineHandler& on_line) {
  if (!pending_.empty()) {
    on_line(std::move(pending_));
    pending_.clear();
  }
}

}  // namespace quellwarden::sandbox
