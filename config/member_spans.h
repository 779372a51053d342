// Where each member of a JSON object lies in the file's bytes, so that an edit can touch one
// member and leave every other byte of the admin's file as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellwarden::config {

struct MemberSpan {
  std::string name;              // unescaped
  std::size_t blanks_start = 0;  // the blanks right before the name (after a comment, if any)
  std::size_t name_start = 0;
  std::size_t value_start = 0;
  std::size_t value_end = 0;  // one past the value's last byte
  // The comma that follows the value, and one past the blanks after it; absent for the last.
  std::optional<std::size_t> comma;
  std::size_t after_comma = 0;
};

struct ObjectSpan {
  std::size_t open = 0;   // the "{"
  std::size_t close = 0;  // the "}"
  std::vector<MemberSpan> members;
};

// The object whose "{" stands at `open`; nothing when it is not one well-formed object. Blanks and
// comments may stand wherever JSON allows blanks.
std::optional<ObjectSpan> object_at(std::string_view bytes, std::size_t open);

// Where the first value of the file starts, past a UTF-8 byte order mark, blanks and comments.
std::size_t first_value(std::string_view bytes);

}  // namespace quellwarden::config
