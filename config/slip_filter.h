// Comments and a comma right before } or ] are slips an admin makes in a JSON file by hand, and
// neither leaves any doubt about what was meant: the bytes reach the parser with them blanked out.
#pragma once

#include <array>
#include <cstddef>
#include <streambuf>
#include <string_view>
#include <vector>

namespace quellwarden::config {

// A slip read as the admin meant it.
struct Slip {
  enum class Kind { line_comment, block_comment, trailing_comma };
  Kind kind;
  std::size_t line = 0;  // where it starts, from 1
  std::size_t at = 0;    // its first byte
  char bracket = 0;      // a trailing comma: the } or ] it stands before
};

// What JSON allows between tokens.
inline constexpr std::string_view kJsonBlanks = " \t\n\r";

// The end of the comment that starts at `at` (past its "*/", or at the line break ending it); 0
// when none starts there, or a "/*" is never closed, which stays an error of the file.
std::size_t comment_end(std::string_view bytes, std::size_t at);

// One past the closing quote of the string whose opening quote stands at `at`; npos when it never
// closes.
std::size_t string_end(std::string_view bytes, std::size_t at);

// The bytes as a stream, each slip turned into blanks as long as itself (line breaks kept), so
// that every other byte, and so every place the parser names, stays where it was. Each slip is
// noted as it is passed on; the stream reads ahead of the parser, so a caller keeps only those
// before where the parser stopped (consumed()).
class SlipFilter : public std::streambuf {
 public:
  SlipFilter(std::string_view bytes, std::vector<Slip>& slips) : bytes_(bytes), slips_(slips) {}

  // How many bytes the parser has taken.
  [[nodiscard]] std::size_t consumed() const {
    return next_ - static_cast<std::size_t>(egptr() - gptr());
  }

 protected:
  int_type underflow() override;

 private:
  char pass(std::size_t at);
  char outside_string(std::size_t at);
  [[nodiscard]] char closed_after(std::size_t at) const;

  std::string_view bytes_;
  std::vector<Slip>& slips_;
  std::size_t next_ = 0;         // the first byte not passed on yet
  std::size_t line_ = 1;         // of that byte
  std::size_t blank_until_ = 0;  // the end of the comment being passed on as blanks
  bool in_string_ = false;
  bool escaped_ = false;  // the byte before, in a string, was a backslash that escapes
  char last_token_ = 0;   // the last byte outside blanks and comments
  std::array<char, 4096> chunk_{};
};

}  // namespace quellwarden::config
