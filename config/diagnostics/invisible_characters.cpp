// A class name pasted from a web page or a chat can carry a character nothing shows (a zero width
// space, a direction mark, a no-break space that looks like a blank): the entry then matches no
// creature, while every tool prints a name that looks exactly like the real one.
#include <algorithm>
#include <array>
#include <cstdint>

#include "config/diagnostics/checks.h"
#include "fmt/format.h"
#include "text/quoted_text.h"
#include "text/utf8.h"

namespace quellwarden::config {
namespace {

struct Invisible {
  char32_t first;
  char32_t last;
  std::string_view name;
};

// The Unicode format characters (category Cf) and the no-break space, by code point.
constexpr std::array<Invisible, 51> kInvisible{{
    {0x00A0, 0x00A0, "no-break space"},
    {0x00AD, 0x00AD, "soft hyphen"},
    {0x0600, 0x0600, "arabic number sign"},
    {0x0601, 0x0601, "arabic sign sanah"},
    {0x0602, 0x0602, "arabic footnote marker"},
    {0x0603, 0x0603, "arabic sign safha"},
    {0x0604, 0x0604, "arabic sign samvat"},
    {0x0605, 0x0605, "arabic number mark above"},
    {0x061C, 0x061C, "arabic letter mark"},
    {0x06DD, 0x06DD, "arabic end of ayah"},
    {0x070F, 0x070F, "syriac abbreviation mark"},
    {0x0890, 0x0891, "arabic currency mark above"},
    {0x08E2, 0x08E2, "arabic disputed end of ayah"},
    {0x180E, 0x180E, "mongolian vowel separator"},
    {0x200B, 0x200B, "zero width space"},
    {0x200C, 0x200C, "zero width non-joiner"},
    {0x200D, 0x200D, "zero width joiner"},
    {0x200E, 0x200E, "left-to-right mark"},
    {0x200F, 0x200F, "right-to-left mark"},
    {0x202A, 0x202A, "left-to-right embedding"},
    {0x202B, 0x202B, "right-to-left embedding"},
    {0x202C, 0x202C, "pop directional formatting"},
    {0x202D, 0x202D, "left-to-right override"},
    {0x202E, 0x202E, "right-to-left override"},
    {0x2060, 0x2060, "word joiner"},
    {0x2061, 0x2061, "function application"},
    {0x2062, 0x2062, "invisible times"},
    {0x2063, 0x2063, "invisible separator"},
    {0x2064, 0x2064, "invisible plus"},
    {0x2066, 0x2066, "left-to-right isolate"},
    {0x2067, 0x2067, "right-to-left isolate"},
    {0x2068, 0x2068, "first strong isolate"},
    {0x2069, 0x2069, "pop directional isolate"},
    {0x206A, 0x206A, "inhibit symmetric swapping"},
    {0x206B, 0x206B, "activate symmetric swapping"},
    {0x206C, 0x206C, "inhibit arabic form shaping"},
    {0x206D, 0x206D, "activate arabic form shaping"},
    {0x206E, 0x206E, "national digit shapes"},
    {0x206F, 0x206F, "nominal digit shapes"},
    {0xFEFF, 0xFEFF, "zero width no-break space"},
    {0xFFF9, 0xFFF9, "interlinear annotation anchor"},
    {0xFFFA, 0xFFFA, "interlinear annotation separator"},
    {0xFFFB, 0xFFFB, "interlinear annotation terminator"},
    {0x110BD, 0x110BD, "kaithi number sign"},
    {0x110CD, 0x110CD, "kaithi number sign above"},
    {0x13430, 0x1343F, "egyptian hieroglyph format control"},
    {0x1BCA0, 0x1BCA3, "shorthand format control"},
    {0x1D173, 0x1D17A, "musical symbol format control"},
    {0xE0001, 0xE0001, "language tag"},
    {0xE0020, 0xE007E, "tag character"},
    {0xE007F, 0xE007F, "cancel tag"},
}};

const Invisible* invisible(char32_t code_point) {
  for (const Invisible& range : kInvisible) {
    if (code_point >= range.first && code_point <= range.last) return &range;
  }
  return nullptr;
}

struct CodePoint {
  char32_t value = 0;
  std::size_t size = 1;  // bytes; a byte that starts no valid sequence stands alone
};

CodePoint decode_at(std::string_view text, std::size_t at) {
  const Utf8Character character = utf8_character_at(text, at);
  if (character.length == 0) return {static_cast<unsigned char>(text[at]), 1};
  return {character.code, character.length};
}

}  // namespace

std::optional<Diagnostic> invisible_character_diagnostic(std::string_view class_name,
                                                         std::string_view list_name,
                                                         const MemberPath& list_path) {
  if (std::all_of(class_name.begin(), class_name.end(),
                  [](char byte) { return static_cast<unsigned char>(byte) < 0x80; })) {
    return std::nullopt;  // ASCII, as nearly every name is
  }
  std::optional<std::string> first;
  std::size_t more = 0;
  for (std::size_t at = 0; at < class_name.size();) {
    const CodePoint code_point = decode_at(class_name, at);
    if (const Invisible* found = invisible(code_point.value); found != nullptr) {
      if (first) {
        ++more;
      } else {
        first = fmt::format("U+{:04X} ({}) ", static_cast<std::uint32_t>(code_point.value),
                            found->name) +
                (at == 0 ? std::string("at its start")
                         : "after " + in_quotes(class_name.substr(0, at)));
      }
    }
    at += code_point.size;
  }
  if (!first) return std::nullopt;
  std::string text = "class name " + in_quotes(class_name) + " holds " + *first;
  if (more > 0) text += fmt::format(" and {} more such character{}", more, more == 1 ? "" : "s");
  text += "; no creature's class holds one, so this entry of " + in_quotes(list_name) +
          " holds back nothing";
  return Diagnostic{DiagnosticCode::invisible_character, below(list_path, class_name),
                    std::move(text)};
}

std::string without_invisible_characters(std::string_view class_name) {
  std::string visible;
  for (std::size_t at = 0; at < class_name.size();) {
    const CodePoint code_point = decode_at(class_name, at);
    if (invisible(code_point.value) == nullptr) visible += class_name.substr(at, code_point.size);
    at += code_point.size;
  }
  return visible;
}

}  // namespace quellwarden::config
