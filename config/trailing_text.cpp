// The reader takes the first JSON value from a stream and never looks further, so text after it
// (a second object, a stray brace from an edit) is silently lost; only the bytes can show it.
#include <algorithm>
#include <istream>
#include <streambuf>

#include "config/diagnostic_parts.h"
#include "config/quoted_text.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

constexpr std::size_t kShownBytes = 24;
constexpr std::string_view kBlanks = " \t\n\r";

// The bytes as a stream, read as the reader reads its file; counts what the parser consumed.
class ByteStream : public std::streambuf {
 public:
  explicit ByteStream(std::string_view bytes) {
    char* start = const_cast<char*>(bytes.data());  // the get area is never written
    setg(start, start, start + bytes.size());
  }
  std::size_t consumed() const { return static_cast<std::size_t>(gptr() - eback()); }
};

// Reads values and keeps nothing: only where the first one ends matters.
struct ValueSkipper {
  bool null() { return true; }
  bool boolean(bool) { return true; }
  bool number_integer(json::number_integer_t) { return true; }
  bool number_unsigned(json::number_unsigned_t) { return true; }
  bool number_float(json::number_float_t, const json::string_t&) { return true; }
  bool string(json::string_t&) { return true; }
  bool binary(json::binary_t&) { return true; }
  bool start_object(std::size_t) { return true; }
  bool key(json::string_t&) { return true; }
  bool end_object() { return true; }
  bool start_array(std::size_t) { return true; }
  bool end_array() { return true; }
  bool parse_error(std::size_t, const std::string&, const json::exception&) { return false; }
};

bool is_number_byte(char byte) {
  return (byte >= '0' && byte <= '9') || byte == '.' || byte == 'e' || byte == 'E' || byte == '+' ||
         byte == '-';
}

// Where the first value ends. A number is known to end only at the byte after it, which the
// parser has then consumed too.
std::size_t first_value_end(std::string_view bytes, const json& document) {
  ByteStream buffer(bytes);
  std::istream in(&buffer);
  ValueSkipper skipper;
  json::sax_parse(in, &skipper, json::input_format_t::json, false);
  std::size_t end = buffer.consumed();
  if (document.is_number() && end > 0 && !is_number_byte(bytes[end - 1])) --end;
  return end;
}

std::string line_and_column(std::string_view bytes, std::size_t offset) {
  const std::string_view before = bytes.substr(0, offset);
  const std::size_t line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
  const std::size_t line_start = before.find_last_of('\n');
  const std::size_t column =
      line_start == std::string_view::npos ? offset : offset - line_start - 1;
  return "line " + std::to_string(line + 1) + ", column " + std::to_string(column + 1);
}

// The first bytes of the trailing text, cut before a character that would be split.
std::string shown(std::string_view text) {
  if (text.size() <= kShownBytes) return in_quotes(text);
  std::size_t cut = kShownBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return in_quotes(text.substr(0, cut)) + "...";
}

}  // namespace

Diagnostics trailing_text_diagnostics(std::string_view bytes, const json& document) {
  const std::size_t start = bytes.find_first_not_of(kBlanks, first_value_end(bytes, document));
  if (start == std::string_view::npos) return {};
  const std::size_t end = bytes.find_last_not_of(kBlanks) + 1;
  return {{"trailing_text",
           {},
           "text after the JSON value, at " + line_and_column(bytes, start) + " (" +
               shown(bytes.substr(start, end - start)) +
               "), is ignored by the plugin, which reads only the first value: remove it, or "
               "merge it into the first value"}};
}

}  // namespace quellwarden::config
