// The diagnostics come in the order an administrator reads the file: the slips in its text, its
// shape top down, then members given twice, then the times, then what lies after the document.
#include "config/diagnostics/checks.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

void check_entries(const List& list, std::string_view list_name, const MemberPath& path,
                   Diagnostics& out) {
  for (const ListItem& item : list.items) {
    if (list.shape.type() == ValueType::object) check_class_name(item, list_name, path, out);
    if (item.type != ValueType::object) continue;
    if (!item.members.unknown.empty()) {
      check_unknown_members(item.members.unknown, Level::entry,
                            "of " + entry_place(item.class_name, list_name),
                            below(path, item.class_name), out);
    }
    check_hours(item, list_name, path, out);
    if (auto problem = mod_class_diagnostic(item, list_name, path)) {
      out.push_back(std::move(*problem));
    }
    if (auto problem =
            display_name_problem(item.members[kDisplayName], list_name, item.class_name)) {
      out.push_back(std::move(*problem));
    }
  }
}

void check_settings(const Document& document, Diagnostics& out) {
  const MemberPath path{kDinoSettings};
  check_unknown_members(document.lists.unknown, Level::settings, "in " + in_quotes(kDinoSettings),
                        path, out);
  for (std::size_t index = 0; index < kSettingsMembers.size(); ++index) {
    const List& list = document.lists.at(index);
    if (!list.shape.present()) continue;
    const std::string_view list_name = kSettingsMembers[index].name;
    const MemberPath list_path = below(path, list_name);
    check_list_shape(list, list_name, list_path, out);
    if (list.shape.is_container()) check_entries(list, list_name, list_path, out);
  }
}

void check_shape(const Document& document, Diagnostics& out) {
  if (document.top.type() != ValueType::object) return;
  check_wipe_member(document.members[kWipeTimestamp], out);
  check_unknown_members(document.members.unknown, Level::top, "at the top level", {}, out);
  if (document.members[kDinoSettings].type() == ValueType::object) check_settings(document, out);
  if (document.members[kPlayerNotices].type() == ValueType::object) {
    check_unknown_members(document.notices.unknown, Level::notices,
                          "in " + in_quotes(kPlayerNotices), {kPlayerNotices}, out);
  }
  if (document.members[kAnnouncements].type() == ValueType::object) {
    check_unknown_members(document.announcements.unknown, Level::announcements,
                          "in " + in_quotes(kAnnouncements), {kAnnouncements}, out);
  }
  for (const Diagnostics* problems :
       {&document.notice_reading.problems, &document.announcement_reading.problems,
        &document.bypass_reading.problems}) {
    out.insert(out.end(), problems->begin(), problems->end());
  }
}

}  // namespace

std::string entry_place(std::string_view class_name, std::string_view list_name) {
  return "class " + in_quotes(class_name) + " in " + in_quotes(list_name);
}

std::vector<Diagnostic> diagnose(const Document& document, const Configuration* configuration,
                                 std::int64_t now) {
  Diagnostics out;
  check_slips(document.slips, out);
  check_shape(document, out);
  check_repeated_members(document.repeated, out);
  if (configuration != nullptr) {
    Diagnostics times = wipe_diagnostics(*configuration, document.members[kWipeTimestamp], now);
    out.insert(out.end(), std::make_move_iterator(times.begin()),
               std::make_move_iterator(times.end()));
    check_player_text_lengths(*configuration, now, out);
  }
  check_trailing_text(document.trailing, out);
  return out;
}

}  // namespace quellwarden::config
