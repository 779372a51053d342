// Comments and single quotes count only outside JSON strings, where a blueprint path may hold
// "/" and "'"; curly quotes count anywhere, since the file only gets here when it fails to parse.
#include "config/parse_hints.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quellwarden::config {
namespace {

// Editors save UTF-16 with a byte order mark, or as plain text that is half NUL bytes.
std::optional<std::string> utf16_hint(std::string_view bytes) {
  const std::string hint =
      "; the plugin reads UTF-8 only: save it as UTF-8 (in Notepad: Save As, "
      "Encoding UTF-8)";
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

struct Cause {
  std::string_view text;  // what the hint says after "line N holds "
  std::optional<std::size_t> line;
};

constexpr std::array<std::string_view, 4> kCurlyQuotes{"\xE2\x80\x9C", "\xE2\x80\x9D",
                                                       "\xE2\x80\x98", "\xE2\x80\x99"};

bool curly_quote_at(std::string_view bytes, std::size_t at) {
  return std::any_of(kCurlyQuotes.begin(), kCurlyQuotes.end(),
                     [&](std::string_view quote) { return bytes.substr(at).starts_with(quote); });
}

}  // namespace

std::vector<std::string> parse_hints(std::string_view bytes) {
  if (auto hint = utf16_hint(bytes)) return {*hint};
  std::array<Cause, 3> causes{
      {{"curly quotes (\xE2\x80\x9C \xE2\x80\x9D \xE2\x80\x98 \xE2\x80\x99), which JSON does not "
        "read; write straight double quotes (\") and turn off smart quotes in the editor",
        {}},
       {"a comment (// or /*), which JSON does not allow; remove it", {}},
       {"a single quote ('), which JSON does not take around names and texts; write double "
        "quotes (\")",
        {}}}};
  std::size_t line = 1;
  bool in_string = false;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const char byte = bytes[at];
    const auto note = [&](Cause& cause) {
      if (!cause.line) cause.line = line;
    };
    if (byte == '\n') ++line;
    if (curly_quote_at(bytes, at)) note(causes[0]);
    if (in_string) {
      if (byte == '\\') ++at;  // the escaped character cannot end the string
      if (byte == '"') in_string = false;
      continue;
    }
    if (byte == '"') in_string = true;
    if (byte == '/' && at + 1 < bytes.size() && (bytes[at + 1] == '/' || bytes[at + 1] == '*')) {
      note(causes[1]);
    }
    if (byte == '\'') note(causes[2]);
  }
  std::vector<std::string> hints;
  for (const Cause& cause : causes) {
    if (cause.line) {
      hints.push_back("line " + std::to_string(*cause.line) + " holds " + std::string(cause.text));
    }
  }
  return hints;
}

}  // namespace quellwarden::config
