// An unclosed comment and single quotes count only outside JSON strings, where a blueprint path
// may hold "/" and "'"; curly quotes and bytes that are not UTF-8 count anywhere, since the file
// only gets here when it fails to parse.
#include "config/parse_hints.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <optional>

#include "config/slip_filter.h"
#include "text/utf8.h"

namespace quellwarden::config {
namespace {

constexpr std::string_view kSaveAsUtf8 = "save it as UTF-8 (in Notepad: Save As, Encoding UTF-8)";

// Editors save UTF-16 with a byte order mark, or as plain text that is half NUL bytes.
std::optional<std::string> utf16_hint(std::string_view bytes) {
  const std::string hint = "; the plugin reads UTF-8 only: " + std::string(kSaveAsUtf8);
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return "the file is saved as UTF-16 (it starts with the bytes " +
           std::string(bytes[0] == '\xFF' ? "FF FE" : "FE FF") + ")" + hint;
  }
  const auto nuls = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
  if (bytes.size() >= 2 && nuls * 4 >= bytes.size()) {
    return "the file looks saved as UTF-16 (" + std::to_string(nuls) + " of its " +
           std::to_string(bytes.size()) + " bytes are NUL)" + hint;
  }
  return std::nullopt;
}

bool is_empty(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return bytes.find_first_not_of(kJsonBlanks) == std::string_view::npos;
}

constexpr std::array<std::string_view, 4> kCurlyQuotes{"\xE2\x80\x9C", "\xE2\x80\x9D",
                                                       "\xE2\x80\x98", "\xE2\x80\x99"};

bool curly_quote_at(std::string_view bytes, std::size_t at) {
  return std::any_of(kCurlyQuotes.begin(), kCurlyQuotes.end(),
                     [&](std::string_view quote) { return bytes.substr(at).starts_with(quote); });
}

// The causes in the order they are listed, each with what "line N holds " is followed by.
enum Cause { not_utf8, curly_quotes, unclosed_comment, single_quote, kCauses };

class Scan {
 public:
  explicit Scan(std::string_view bytes) : bytes_(bytes) {}

  std::vector<std::string> hints() {
    bool in_string = false;
    for (std::size_t at = 0; at < bytes_.size(); ++at) {
      const char byte = bytes_[at];
      if (byte == '\n') ++line_;
      const std::size_t length = utf8_character_at(bytes_, at).length;
      if (length == 0) {
        note(not_utf8, fmt::format("the byte {:02X}", static_cast<unsigned char>(byte)) +
                           ", which is not UTF-8: the file is saved in a Windows code page, and "
                           "the plugin reads UTF-8 only; " +
                           std::string(kSaveAsUtf8));
        continue;
      }
      if (curly_quote_at(bytes_, at)) {
        note(curly_quotes,
             "curly quotes (\xE2\x80\x9C \xE2\x80\x9D \xE2\x80\x98 \xE2\x80\x99), which JSON does "
             "not read; write straight double quotes (\") and turn off smart quotes in the editor");
      }
      at += length - 1;
      if (in_string) {
        if (byte == '\\') ++at;  // the escaped character cannot end the string
        if (byte == '"') in_string = false;
        continue;
      }
      outside_string(at, in_string);
    }
    std::vector<std::string> found;
    for (const auto& [line, text] : causes_) {
      if (line != 0) found.push_back("line " + std::to_string(line) + " holds " + text);
    }
    return found;
  }

 private:
  void outside_string(std::size_t at, bool& in_string) {
    const char byte = bytes_[at];
    if (byte == '"') in_string = true;
    if (byte == '/' && at + 1 < bytes_.size() && bytes_[at + 1] == '*' &&
        comment_end(bytes_, at) == 0) {
      note(unclosed_comment, "a comment /* that is never closed with */; close it or remove it");
    }
    if (byte == '\'') {
      note(single_quote,
           "a single quote ('), which JSON does not take around names and texts; write double "
           "quotes (\")");
    }
  }

  // The first line a cause is seen on, with its text.
  void note(Cause cause, const std::string& text) {
    if (causes_[cause].first == 0) causes_[cause] = {line_, text};
  }

  std::string_view bytes_;
  std::size_t line_ = 1;
  std::array<std::pair<std::size_t, std::string>, kCauses> causes_{};
};

// A string to its closing quote, a bracket or separator alone, anything else up to a blank, a
// bracket, a separator, a quote or a slash.
std::size_t token_end(std::string_view bytes, std::size_t at) {
  if (bytes[at] == '"') {
    const std::size_t end = string_end(bytes, at);
    return end == std::string_view::npos ? bytes.size() : end;
  }
  if (std::string_view("{}[],:").find(bytes[at]) != std::string_view::npos) return at + 1;
  const std::size_t end = bytes.find_first_of(" \t\r\n{}[],:\"/", at + 1);
  return end == std::string_view::npos ? bytes.size() : end;
}

// Where the last token starting before `before` starts, and where the one before it ends.
struct TokenLines {
  std::size_t previous_end = 0;
  std::size_t last_start = 0;
  std::size_t last_end = 0;
};

TokenLines token_lines(std::string_view bytes, std::size_t before) {
  TokenLines lines;
  std::size_t line = 1;
  for (std::size_t at = 0; at < std::min(before, bytes.size());) {
    const std::size_t comment = comment_end(bytes, at);
    const bool blank = kJsonBlanks.find(bytes[at]) != std::string_view::npos;
    const std::size_t end = blank ? at + 1 : comment != 0 ? comment : token_end(bytes, at);
    const std::size_t start_line = line;
    line += static_cast<std::size_t>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                                bytes.begin() + static_cast<std::ptrdiff_t>(end),
                                                '\n'));
    if (!blank && comment == 0) lines = {lines.last_end, start_line, line};
    at = end;
  }
  return lines;
}

// The parser had read a whole value of an object or array and met the start of another.
bool value_after_value(std::string_view error) {
  for (const std::string_view context :
       {"while parsing object - unexpected ", "while parsing array - unexpected "}) {
    const std::size_t at = error.find(context);
    if (at == std::string_view::npos) continue;
    const std::string_view met = error.substr(at + context.size());
    for (const std::string_view start : {"string literal", "number literal", "true literal",
                                         "false literal", "null literal", "'{'", "'['"}) {
      if (met.starts_with(start)) return true;
    }
  }
  return false;
}

}  // namespace

std::optional<std::string> missing_comma_hint(std::string_view bytes, std::size_t error_at,
                                              std::string_view error) {
  if (!value_after_value(error)) return std::nullopt;
  const TokenLines lines = token_lines(bytes, error_at);
  if (lines.last_start == 0 || lines.previous_end == 0) return std::nullopt;
  return "line " + std::to_string(lines.last_start) +
         ": a comma is missing after the value that ends on line " +
         std::to_string(lines.previous_end);
}

std::vector<std::string> parse_hints(std::string_view bytes) {
  if (auto hint = utf16_hint(bytes)) return {*hint};
  if (is_empty(bytes)) {
    return {
        "the file is empty; write one object, {\"WipeTimestamp\": ..., \"DinoSettings\": "
        "{...}}"};
  }
  return Scan(bytes).hints();
}

}  // namespace quellwarden::config
