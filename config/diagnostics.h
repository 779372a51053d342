// What a configuration may say that the plugin accepts but an administrator almost surely did
// not mean, each finding with a stable code, the member it is about and a text that names the fix.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/refusal.h"

namespace quellwarden::config {

struct Configuration;
struct Document;

enum class DiagnosticCode {
  unknown_member,
  misplaced_member,
  null_list,
  list_is_array,
  case_twin,
  not_a_class_name,
  missing_hours,
  hours_not_whole,
  negative_hours,
  absurd_hours,
  missing_wipe,
  wipe_not_whole,
  future_wipe,
  wipe_in_milliseconds,
  stale_wipe,
  duplicate_member,
  trailing_text,
  unknown_class,
  invalid_notices,
  invalid_display_name,
  chat_command_without_prefix,
  zone_offset_mismatch,
  invisible_character,
  invalid_announcements,
  invalid_bypass,
  comment_in_file,
  trailing_comma,
  invalid_mod_class,
  text_may_be_cut,
};

// The code as reports and the status JSON spell it: "unknown_member", "stale_wipe", ...
std::string_view code_name(DiagnosticCode code);

struct Diagnostic {
  DiagnosticCode code;
  MemberPath path;   // member names from the top; empty for the file as a whole
  std::string text;  // one sentence without a final full stop
};

// Every diagnostic of the file `document` (see read_document()), judging times against `now`
// (Unix seconds): the slips read away, its shape in reading order, members given twice, then the
// times, then what lies after the first value. Pure: the plugin calls it at load and the checker on
// any file. A file the reader refuses (`configuration` null) still gets those of its shape; those
// about times need the configuration read from it.
std::vector<Diagnostic> diagnose(const Document& document, const Configuration* configuration,
                                 std::int64_t now);

// A wipe more than a day before `clock`, the real time, when the file is judged at its own wipe:
// a file left from an earlier wipe, which such a check alone would pass.
std::optional<Diagnostic> wipe_before_clock(const Document& document,
                                            const Configuration& configuration, std::int64_t clock);

// A "WipeTimestamp" date written with a numeric offset other than `local_offset`, the seconds east
// of UTC that the zone of the machine reading it has at that date: an offset copied from another
// season or place. Only the checker asks, since a server's zone says nothing of the admin's.
std::optional<Diagnostic> zone_offset_diagnostic(const Document& document,
                                                 const Configuration& configuration,
                                                 int local_offset);

}  // namespace quellwarden::config
