// Why the plugin refuses a configuration file: a value the loader returns, never thrown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/printable.h"

namespace quellwarden::config {

// Member names from the top of the file down to a value; empty for the file as a whole.
using MemberPath = std::vector<std::string>;

// The path to the member `name` of the object at `path`.
inline MemberPath below(MemberPath path, std::string_view name) {
  path.emplace_back(name);
  return path;
}

// "DinoSettings > DisallowTaming > Rex_C": a member path as a text names it, escaped.
inline std::string member_path_text(const MemberPath& path) {
  std::string text;
  for (const std::string& name : path) text += (text.empty() ? "" : " > ") + printable(name);
  return text;
}

struct Refusal {
  std::string text;  // exactly what the log and an RCON reply say, escaped (printable())
  MemberPath path;   // the member that made the file refused, where one did
  // Where, and what to write instead, as the checker adds it: each on a line of the checker's
  // report, joined by hint_line() where the plugin gives them on one.
  std::vector<std::string> hints;
};

// The hints on one line, "; " between them; empty when there are none.
inline std::string hint_line(const Refusal& refusal) {
  std::string line;
  for (const std::string& hint : refusal.hints) line += (line.empty() ? "" : "; ") + hint;
  return line;
}

// The refusal as one line for a console reply, the status or an edit's answer: its text, the hints
// in parentheses.
inline std::string refusal_line(const Refusal& refusal) {
  return refusal.hints.empty() ? refusal.text : refusal.text + " (" + hint_line(refusal) + ")";
}

}  // namespace quellwarden::config
