// The folded comparison, kept out of line: a delay table needs it only for spellings that differ.
#include "core/same_class.h"

namespace quellwarden::detail {

bool alike_when_folded(std::u16string_view a, std::u16string_view b) {
  std::size_t at = 0;
  for (; at + 4 <= a.size(); at += 4) {
    if (fold_ascii_four(four_units(a.data() + at)) != fold_ascii_four(four_units(b.data() + at))) {
      return false;
    }
  }
  for (; at < a.size(); ++at) {
    if (fold_ascii(a[at]) != fold_ascii(b[at])) {
      return false;
    }
  }
  return true;
}

}  // namespace quellwarden::detail
