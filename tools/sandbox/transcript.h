// Standard output as the sandbox's one record of what happened: whole lines, in the order they
// happen, each flushed at once so that a script reading the pipe sees it without delay.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace quellwarden::sandbox {

class Transcript {
 public:
  explicit Transcript(std::FILE* out) : out_(out) {}
  void line(std::string_view text);

 private:
  std::mutex mutex_;
  std::FILE* out_;
};

// Text from a network client, made safe for one transcript line: control bytes are shown as \xNN
// and anything past `limit` bytes is cut with "...".
std::string printable(std::string_view text, std::size_t limit = 200);

}  // namespace quellwarden::sandbox
