// Fuzzes the byte-keeping edits of config.json with arbitrary file contents: no input may make them
// read out of bounds, and for every input the JSON library reads (comments allowed), the edited
// bytes must read as the same document with just that member set or removed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "config/file_edit.h"

namespace {

using nlohmann::json;
using quellwarden::config::EditedBytes;
using quellwarden::config::MemberPath;
using quellwarden::config::remove_member;
using quellwarden::config::set_member;

// The library's own parser recurses by nesting; deeper inputs only get the bounds check.
constexpr std::ptrdiff_t kMostOpenings = 64;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "file_edit_fuzzer: %s\n", what);
  std::abort();
}

json read(std::string_view bytes) {
  return json::parse(bytes.begin(), bytes.end(), nullptr, false, true);
}

// The document with `path` set to 7, as set_member() means it; discarded where a step on the way
// is no object.
json set_in(json document, const MemberPath& path) {
  json* at = &document;
  for (const std::string& name : path) {
    if (!at->is_object()) return json(json::value_t::discarded);
    if (!at->contains(name)) (*at)[name] = json::object();
    at = &(*at)[name];
  }
  *at = 7;
  return document;
}

json removed_from(json document, const MemberPath& path) {
  json* at = &document;
  for (std::size_t step = 0; step + 1 < path.size(); ++step) {
    if (!at->is_object()) return json(json::value_t::discarded);
    if (!at->contains(path[step])) return document;
    at = &(*at)[path[step]];
  }
  if (!at->is_object()) return json(json::value_t::discarded);
  at->erase(path.back());
  return document;
}

void check(const json& before, const EditedBytes& edited, const json& expected) {
  if (before.is_discarded()) return;
  if (expected.is_discarded()) {
    if (edited.ok()) fail("an edit through a value that is no object was made");
    return;
  }
  if (!edited.ok()) fail("an edit of a readable object was refused");
  if (read(edited.bytes) != expected) fail("the edited bytes read as another document");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const MemberPath wipe{"WipeTimestamp"};
  const MemberPath hours{"DinoSettings", "DisallowTaming", "Rex_C", "HoursToDelay"};
  const MemberPath entry{"DinoSettings", "DisallowTaming", "Rex_C"};
  const EditedBytes set_wipe = set_member(bytes, wipe, "7");
  const EditedBytes set_hours = set_member(bytes, hours, "7");
  const EditedBytes removed = remove_member(bytes, entry);
  (void)quellwarden::config::member_names(bytes, {"DinoSettings", "DisallowTaming"});
  const std::ptrdiff_t openings =
      std::count(bytes.begin(), bytes.end(), '{') + std::count(bytes.begin(), bytes.end(), '[');
  if (openings > kMostOpenings) return 0;
  const json before = read(bytes);
  if (!before.is_object()) {
    if (set_wipe.ok() && !before.is_discarded()) fail("an edit of a file that is no object");
    return 0;
  }
  check(before, set_wipe, set_in(before, wipe));
  check(before, set_hours, set_in(before, hours));
  check(before, removed, removed_from(before, entry));
  return 0;
}
