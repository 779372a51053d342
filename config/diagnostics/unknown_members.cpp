// A member the plugin does not know is ignored, so a misspelt one silently counts as missing; the
// warning names the member it most likely was meant as.
#include "config/diagnostics/checks.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

Diagnostic unknown_member(std::string_view name, Level level, std::string_view where,
                          MemberPath path) {
  std::string text =
      "unknown member " + in_quotes(name) + " " + std::string(where) + " is ignored by the plugin";
  const std::optional<MemberMatch> match = meant_member(name, level);
  if (!match) return {DiagnosticCode::unknown_member, std::move(path), std::move(text)};
  if (match->level == level) {
    return {DiagnosticCode::unknown_member, std::move(path),
            text + "; did you mean " + in_quotes(match->known) + "?"};
  }
  const std::string place = level_place(match->level);
  text += name == match->known
              ? "; it belongs " + place
              : "; did you mean " + in_quotes(match->known) + ", which belongs " + place + "?";
  return {DiagnosticCode::misplaced_member, std::move(path), std::move(text)};
}

}  // namespace

void check_unknown_members(const std::vector<std::string>& names, Level level,
                           std::string_view where, const MemberPath& path, Diagnostics& out) {
  for (const std::string& name : names) {
    out.push_back(unknown_member(name, level, where, below(path, name)));
  }
}

}  // namespace quellwarden::config
