// The parser keeps the last of two equal member names without a word; the reader counted them
// as it went, and this names each where the plugin reads.
#include "config/diagnostics/checks.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

// Where the object that holds the member stands, by the length of the member's path.
std::string where(const MemberPath& path) {
  switch (path.size()) {
    case 1:
      return "at the top level";
    case 2:
      return "in " + in_quotes(path[0]);
    case 3:
      return "in " + in_quotes(path[1]);
    default:
      return "in the entry of class " + in_quotes(path[2]) + " in " + in_quotes(path[1]);
  }
}

}  // namespace

void check_repeated_members(const std::vector<RepeatedMember>& repeated, Diagnostics& out) {
  for (const RepeatedMember& member : repeated) {
    const std::string_view kind = member.path.size() == 3 ? "class " : "member ";
    out.push_back({DiagnosticCode::duplicate_member, member.path,
                   std::string(kind) + in_quotes(member.path.back()) + " is given " +
                       std::to_string(member.count) + " times " + where(member.path) +
                       "; the plugin reads only the last one"});
  }
}

}  // namespace quellwarden::config
