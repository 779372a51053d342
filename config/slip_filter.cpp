// A comma counts as a slip only after a value, so "[,]" and "{"a":,}" stay errors: only the
// comma an admin leaves behind when removing the last member is read away.
#include "config/slip_filter.h"

namespace quellwarden::config {
namespace {

// What a value ends with; after anything else a comma is no trailing comma.
bool ends_value(char token) {
  return token != 0 && token != ',' && token != ':' && token != '[' && token != '{';
}

}  // namespace

std::size_t comment_end(std::string_view bytes, std::size_t at) {
  if (at + 1 >= bytes.size() || bytes[at] != '/') return 0;
  if (bytes[at + 1] == '/') {
    // A lone carriage return or a NUL ends it too, as the JSON library reads it; the library takes
    // the NUL as the comment's own, while a line break stays for the line count.
    constexpr std::string_view kCommentEnds("\r\n\0", 3);
    const std::size_t end = bytes.find_first_of(kCommentEnds, at + 2);
    if (end == std::string_view::npos) return bytes.size();
    return bytes[end] == '\0' ? end + 1 : end;
  }
  if (bytes[at + 1] != '*') return 0;
  const std::size_t close = bytes.find("*/", at + 2);
  return close == std::string_view::npos ? 0 : close + 2;
}

std::size_t string_end(std::string_view bytes, std::size_t at) {
  for (std::size_t index = at + 1; index < bytes.size(); ++index) {
    if (bytes[index] == '\\') {
      ++index;
    } else if (bytes[index] == '"') {
      return index + 1;
    }
  }
  return std::string_view::npos;
}

// The } or ] that follows `at`, blanks and comments between; 0 for anything else.
char SlipFilter::closed_after(std::size_t at) const {
  for (;;) {
    at = bytes_.find_first_not_of(kJsonBlanks, at);
    if (at == std::string_view::npos) return 0;
    if (const std::size_t end = comment_end(bytes_, at); end != 0) {
      at = end;
      continue;
    }
    return bytes_[at] == '}' || bytes_[at] == ']' ? bytes_[at] : 0;
  }
}

char SlipFilter::outside_string(std::size_t at) {
  const char byte = bytes_[at];
  switch (byte) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
      return byte;
    case '"':
      in_string_ = true;
      break;
    case '/':
      if (const std::size_t end = comment_end(bytes_, at); end != 0) {
        const bool line = bytes_[at + 1] == '/';
        slips_.push_back(
            {line ? Slip::Kind::line_comment : Slip::Kind::block_comment, line_, at, 0});
        blank_until_ = end;
        return ' ';
      }
      break;
    case ',':
      if (const char bracket = ends_value(last_token_) ? closed_after(at + 1) : 0; bracket != 0) {
        slips_.push_back({Slip::Kind::trailing_comma, line_, at, bracket});
        last_token_ = ',';
        return ' ';
      }
      break;
    default:
      break;
  }
  last_token_ = byte;
  return byte;
}

char SlipFilter::pass(std::size_t at) {
  const char byte = bytes_[at];
  if (byte == '\n') ++line_;
  if (at < blank_until_) return byte == '\n' ? byte : ' ';
  if (!in_string_) return outside_string(at);
  if (escaped_) {
    escaped_ = false;
  } else if (byte == '\\') {
    escaped_ = true;
  } else if (byte == '"') {
    in_string_ = false;
    last_token_ = byte;
  }
  return byte;
}

SlipFilter::int_type SlipFilter::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  std::size_t filled = 0;
  for (; filled < chunk_.size() && next_ < bytes_.size(); ++filled) chunk_[filled] = pass(next_++);
  if (filled == 0) return traits_type::eof();
  setg(chunk_.data(), chunk_.data(), chunk_.data() + filled);
  return traits_type::to_int_type(chunk_[0]);
}

}  // namespace quellwarden::config
