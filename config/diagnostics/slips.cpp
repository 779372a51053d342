// A slip is read as meant, yet the file is no JSON for any other tool, and a comment may hide a
// member the admin believes in force; so each says where it is.
#include "config/diagnostics/checks.h"

namespace quellwarden::config {
namespace {

std::string slip_text(const Slip& slip) {
  switch (slip.kind) {
    case Slip::Kind::line_comment:
      return "a comment (//) is read as if it were not there";
    case Slip::Kind::block_comment:
      return "a comment (/* */) is read as if it were not there";
    case Slip::Kind::trailing_comma:
      break;
  }
  return std::string("a comma right before ") + slip.bracket + " is read as if it were not there";
}

}  // namespace

void check_slips(const std::vector<Slip>& slips, Diagnostics& out) {
  for (const Slip& slip : slips) {
    out.push_back({slip.kind == Slip::Kind::trailing_comma ? DiagnosticCode::trailing_comma
                                                           : DiagnosticCode::comment_in_file,
                   {},
                   "line " + std::to_string(slip.line) + ": " + slip_text(slip)});
  }
}

}  // namespace quellwarden::config
