// Tests for the one escape of text from the file or the game.
#include "text/printable.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

namespace quellwarden {
namespace {

// What ends a line elsewhere, turns text around or shows nothing is spelled out at its first and
// last code point; its neighbours, and bytes that are not UTF-8, pass as they are.
TEST(printable_test, printable_escapes_control_and_invisible_characters_only) {
  const std::vector<std::pair<std::string_view, std::string_view>> cases{
      {"a\r\n\tb", "a\\r\\n\\tb"},
      {"\x1b[31mred", "\\u001b[31mred"},
      {std::string_view("\0\x1f\x7f", 3), "\\u0000\\u001f\\u007f"},
      {"W\xC3\xB6lf \"q\" \\ ~ \xE2\x82\xAC \xF0\x9F\xA6\x96",
       "W\xC3\xB6lf \"q\" \\ ~ \xE2\x82\xAC \xF0\x9F\xA6\x96"},
      {"\xC2\x80\xC2\x9F|\xC2\xA0\xC2\xAD\xC2\xAE", "\\u0080\\u009f|\xC2\xA0\\u00ad\xC2\xAE"},
      {"\xD8\x9B\xD8\x9C\xD8\x9D", "\xD8\x9B\\u061c\xD8\x9D"},
      {"\xE1\xA0\x8D\xE1\xA0\x8E\xE1\xA0\x8F", "\xE1\xA0\x8D\\u180e\xE1\xA0\x8F"},
      {"\xE2\x80\x8A\xE2\x80\x8B\xE2\x80\x8F\xE2\x80\x90",
       "\xE2\x80\x8A\\u200b\\u200f\xE2\x80\x90"},
      {"\xE2\x80\xA7\xE2\x80\xA8\xE2\x80\xAE\xE2\x80\xAF",
       "\xE2\x80\xA7\\u2028\\u202e\xE2\x80\xAF"},
      {"\xE2\x81\x9F\xE2\x81\xA0\xE2\x81\xAF\xE2\x81\xB0",
       "\xE2\x81\x9F\\u2060\\u206f\xE2\x81\xB0"},
      {"\xEF\xBB\xBE\xEF\xBB\xBF\xEF\xBC\x80", "\xEF\xBB\xBE\\ufeff\xEF\xBC\x80"},
      {"\xEF\xBF\xB8\xEF\xBF\xB9\xEF\xBF\xBB\xEF\xBF\xBC",
       "\xEF\xBF\xB8\\ufff9\\ufffb\xEF\xBF\xBC"},
      // Overlong, cut short or stray: not a character, so not one to escape.
      {"\xC1\x80 \xE0\x82\x80 \xC2 \xE2\x80 \x85 \xFF",
       "\xC1\x80 \xE0\x82\x80 \xC2 \xE2\x80 \x85 \xFF"}};
  for (const auto& [text, shown] : cases) {
    EXPECT_EQ(printable(text), shown) << shown;
  }
}

}  // namespace
}  // namespace quellwarden
