// Each edit scans the bytes afresh (member_spans.h) and splices: a value's bytes are replaced, or a
// member's text is inserted or cut out, and the bytes around it are copied unchanged.
#include "config/file_edit.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "config/member_spans.h"

namespace quellwarden::config {
namespace {

std::string quoted_name(std::string_view name) { return nlohmann::json(name).dump(); }

std::string splice(std::string_view bytes, std::size_t from, std::size_t to,
                   std::string_view text) {
  std::string spliced(bytes.substr(0, from));
  spliced += text;
  spliced += bytes.substr(to);
  return spliced;
}

const MemberSpan* last_named(const ObjectSpan& object, std::string_view name) {
  const MemberSpan* found = nullptr;
  for (const MemberSpan& member : object.members) {
    if (member.name == name) found = &member;
  }
  return found;
}

// Where the walk down `path` stops: the deepest object reached and how many names led to it.
struct Walk {
  std::optional<ObjectSpan> object;
  std::size_t depth = 0;
  std::string problem;
};

Walk walk(std::string_view bytes, const MemberPath& path, std::size_t length) {
  Walk reached{object_at(bytes, first_value(bytes)), 0, {}};
  if (!reached.object) return {std::nullopt, 0, "the file is not one JSON object"};
  while (reached.depth < length) {
    const MemberSpan* member = last_named(*reached.object, path[reached.depth]);
    if (member == nullptr) return reached;
    std::optional<ObjectSpan> inner = object_at(bytes, member->value_start);
    if (!inner) {
      const MemberPath to_member(path.begin(),
                                 path.begin() + static_cast<std::ptrdiff_t>(reached.depth) + 1);
      return {std::nullopt, 0, member_path_text(to_member) + " is not an object"};
    }
    reached.object = std::move(inner);
    ++reached.depth;
  }
  return reached;
}

// `"Name": value`, the value holding the rest of the path as objects.
std::string member_text(const MemberPath& path, std::size_t from, std::string_view value_json) {
  std::string text(value_json);
  for (std::size_t index = path.size(); index-- > from + 1;) {
    text = "{" + quoted_name(path[index]) + ": " + text + "}";
  }
  return quoted_name(path[from]) + ": " + text;
}

std::string added(std::string_view bytes, const ObjectSpan& object, const std::string& text) {
  if (object.members.empty()) return splice(bytes, object.open + 1, object.open + 1, text);
  const MemberSpan& last = object.members.back();
  std::string_view blanks = bytes.substr(last.blanks_start, last.name_start - last.blanks_start);
  // Blanks after "{" on the same line are not those between members.
  if (object.members.size() == 1 && blanks.find('\n') == std::string_view::npos) blanks = " ";
  return splice(bytes, last.value_end, last.value_end, "," + std::string(blanks) + text);
}

// Where a member that starts a line after a line comment ends with its own line end, so that
// removing it leaves no empty line.
std::size_t member_end(std::string_view bytes, const MemberSpan& member) {
  if (member.blanks_start == 0 || bytes[member.blanks_start - 1] != '\n') return member.value_end;
  const std::size_t end = bytes.find_first_not_of(" \t\r", member.value_end);
  return end != std::string_view::npos && bytes[end] == '\n' ? end + 1 : member.value_end;
}

std::string without(std::string_view bytes, const ObjectSpan& object, std::size_t index) {
  const MemberSpan& member = object.members[index];
  if (index == 0 && member.comma) return splice(bytes, member.name_start, member.after_comma, "");
  const std::string cut = splice(bytes, member.blanks_start, member_end(bytes, member), "");
  if (index == 0) return cut;
  const std::size_t comma = *object.members[index - 1].comma;
  return splice(cut, comma, comma + 1, "");
}

}  // namespace

EditedBytes set_member(std::string_view bytes, const MemberPath& path,
                       std::string_view value_json) {
  const Walk reached = walk(bytes, path, path.size() - 1);
  if (!reached.object) return {{}, reached.problem};
  const MemberSpan* member =
      reached.depth + 1 < path.size() ? nullptr : last_named(*reached.object, path.back());
  if (member == nullptr) {
    return {added(bytes, *reached.object, member_text(path, reached.depth, value_json)), {}};
  }
  return {splice(bytes, member->value_start, member->value_end, value_json), {}};
}

EditedBytes remove_member(std::string_view bytes, const MemberPath& path) {
  std::string edited(bytes);
  for (;;) {
    const Walk reached = walk(edited, path, path.size() - 1);
    if (!reached.object) return {{}, reached.problem};
    if (reached.depth + 1 < path.size()) return {edited, {}};
    const std::vector<MemberSpan>& members = reached.object->members;
    std::size_t index = 0;
    while (index < members.size() && members[index].name != path.back()) ++index;
    if (index == members.size()) return {edited, {}};
    edited = without(edited, *reached.object, index);
  }
}

std::vector<std::string> member_names(std::string_view bytes, const MemberPath& path) {
  const Walk reached = walk(bytes, path, path.size());
  std::vector<std::string> names;
  if (!reached.object || reached.depth < path.size()) return names;
  for (const MemberSpan& member : reached.object->members) names.push_back(member.name);
  return names;
}

}  // namespace quellwarden::config
