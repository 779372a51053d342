// One member of the configuration file changed, added or removed in its bytes, so that every other
// byte of the admin's file (comments, order, blanks, line ends, a byte order mark) stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/refusal.h"

namespace quellwarden::config {

// The bytes after an edit, or why it cannot be made (then `bytes` is empty).
struct EditedBytes {
  std::string bytes;
  std::string problem;
  [[nodiscard]] bool ok() const noexcept { return problem.empty(); }
};

// Sets the member at `path` (names from the top; of names given twice, the last, as the reader
// keeps it) to `value_json`, rewriting only the bytes of its value; a member that is missing is
// added after the last one of its object, with its comma and the blanks its neighbour has, and so
// are the objects on the way to it.
EditedBytes set_member(std::string_view bytes, const MemberPath& path, std::string_view value_json);

// Removes every member named as the last name of `path` from its object, each with its comma and
// the blanks before it; comments stay.
EditedBytes remove_member(std::string_view bytes, const MemberPath& path);

// The names of the members of the object at `path`, in file order; none when there is no object.
std::vector<std::string> member_names(std::string_view bytes, const MemberPath& path);

}  // namespace quellwarden::config
