// The folded comparison, kept out of line: a delay table needs it only for spellings that differ.
#include "core/same_class.h"

#include <algorithm>

namespace quellwarden::detail {

bool alike_when_folded(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return fold_ascii(x) == fold_ascii(y); });
}

}  // namespace quellwarden::detail
