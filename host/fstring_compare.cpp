// FString equality as the delay table needs it: the game decides which letters are alike.
#include "host/fstring.h"

namespace quellwarden::host {

int compare_ignoring_case(const FStringData& held, const FStringData& probe) {
  return call(game::compare_ignoring_case, held.data, probe.data);
}

bool fstring_equal(const FStringData& held, const FStringData& probe) {
  if (held.count == probe.count) {
    return held.count <= 1 || compare_ignoring_case(held, probe) == 0;
  }
  return held.count + probe.count == 1;
}

}  // namespace quellwarden::host
