// A command line's words, as the console and the chat commands read them.
#pragma once

#include <string_view>
#include <vector>

#include "text/ascii_fold.h"

namespace quellwarden {

constexpr std::string_view kBlanks = " \t";

// The runs between blanks and tabs, in order; blanks before the first word are no word.
inline std::vector<std::string_view> words_of(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while ((at = line.find_first_not_of(kBlanks, at)) != std::string_view::npos) {
    const std::size_t end = line.find_first_of(kBlanks, at);
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// A keyword matches in any letter case.
constexpr bool same_word(std::string_view a, std::string_view b) {
  return compare_folded(a, b) == 0;
}

}  // namespace quellwarden
