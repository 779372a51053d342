// The game's case-insensitive compare, reached by name: it decides which letters are alike.
#include "host/fstring.h"

namespace quellwarden::host {

int compare_ignoring_case(const FStringData& held, const FStringData& probe) {
  return call<game::compare_ignoring_case>(held.data, probe.data);
}

}  // namespace quellwarden::host
