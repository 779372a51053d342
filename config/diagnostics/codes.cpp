// The codes' names in one table, in the enum's order, so that a new code cannot go unnamed.
#include <array>

#include "config/diagnostics.h"

namespace quellwarden::config {
namespace {

constexpr auto kCodeNames = std::to_array<std::string_view>({"unknown_member",
                                                             "misplaced_member",
                                                             "null_list",
                                                             "list_is_array",
                                                             "case_twin",
                                                             "not_a_class_name",
                                                             "missing_hours",
                                                             "hours_not_whole",
                                                             "negative_hours",
                                                             "absurd_hours",
                                                             "missing_wipe",
                                                             "wipe_not_whole",
                                                             "future_wipe",
                                                             "wipe_in_milliseconds",
                                                             "stale_wipe",
                                                             "duplicate_member",
                                                             "trailing_text",
                                                             "unknown_class",
                                                             "invalid_notices",
                                                             "invalid_display_name",
                                                             "chat_command_without_prefix",
                                                             "zone_offset_mismatch",
                                                             "invisible_character",
                                                             "invalid_announcements",
                                                             "invalid_bypass",
                                                             "comment_in_file",
                                                             "trailing_comma",
                                                             "invalid_mod_class",
                                                             "text_may_be_cut"});
static_assert(kCodeNames.size() == static_cast<std::size_t>(DiagnosticCode::text_may_be_cut) + 1);

}  // namespace

std::string_view code_name(DiagnosticCode code) {
  return kCodeNames[static_cast<std::size_t>(code)];
}

}  // namespace quellwarden::config
