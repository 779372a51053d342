// The report reads top to bottom as an administrator asks: when was the wipe, what opens when,
// what looks wrong, and will the plugin take the file at all.
#include <algorithm>
#include <string_view>
#include <tuple>

#include "config/creature_classes.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "tools/check/display_text.h"
#include "tools/check/report.h"
#include "tools/check/timeline.h"

namespace quellwarden::check {
namespace {

using config::relative_text;
using config::unlock_status;
using config::utc_text;

struct Row {
  std::string_view kind;  // "riding" or "taming"
  const config::DelayEntry* entry;
};

// Both tables in one list, soonest unlock first.
std::vector<Row> schedule_rows(const Schedule& schedule) {
  std::vector<Row> rows;
  for (const auto& entry : schedule.riding) rows.push_back({"riding", &entry});
  for (const auto& entry : schedule.taming) rows.push_back({"taming", &entry});
  std::stable_sort(rows.begin(), rows.end(), [](const Row& left, const Row& right) {
    return std::tie(left.entry->unlock_time, left.entry->class_name) <
           std::tie(right.entry->unlock_time, right.entry->class_name);
  });
  return rows;
}

// The local time of `when` where the machine is, or nothing when it is in UTC.
std::string local_time(const ReportContext& context, std::int64_t when) {
  if (context.zone.is_utc(context.now)) return {};
  return config::local_text(when, context.zone.offset(when));
}

std::string header(const ReportContext& context, const std::optional<Schedule>& schedule) {
  std::string text = "Configuration  " + printable(context.config_path) + "\n";
  if (schedule) {
    const std::int64_t wipe = schedule->wipe_timestamp;
    text += "Wipe           " + utc_text(wipe) + " (" + std::to_string(wipe) + "), " +
            relative_text(wipe, context.now) + "\n";
    if (const std::string local = local_time(context, wipe); !local.empty()) {
      text += "               " + local + " here\n";
    }
  }
  return text + "Now            " + utc_text(context.now) + " (" + std::to_string(context.now) +
         ")\n";
}

// The status's mark of a class not the game's, set off by one blank more in the table.
std::string origin_text(const config::DelayEntry& entry) {
  const std::string_view mark = config::origin_mark(entry);
  return mark.empty() ? std::string() : " " + std::string(mark);
}

std::string unlock_table(const std::vector<Row>& rows, const ReportContext& context) {
  std::size_t name_width = 0;
  std::size_t hours_width = 0;
  for (const Row& row : rows) {
    name_width = std::max(name_width, characters_in(printable(row.entry->class_name)));
    hours_width = std::max(hours_width, std::to_string(row.entry->hours).size() + 1);
  }
  std::string text = "\nUnlock times, soonest first (taming also holds back imprinting):\n";
  for (const Row& row : rows) {
    const config::DelayEntry& entry = *row.entry;
    const std::string hours = std::to_string(entry.hours) + "h";
    const std::string local = local_time(context, entry.unlock_time);
    text += "  " + std::string(row.kind) + "  " + padded(printable(entry.class_name), name_width) +
            "  " + std::string(hours_width - hours.size(), ' ') + hours + "  " +
            utc_text(entry.unlock_time) + "  " + (local.empty() ? "" : local + "  ") +
            unlock_status(entry.unlock_time, context.now) + origin_text(entry) + "\n";
  }
  return text;
}

std::string timeline(const std::vector<Row>& rows, std::int64_t wipe, std::int64_t now) {
  std::vector<TimelineBar> bars;
  for (const Row& row : rows) {
    bars.push_back(
        {std::string(row.kind) + "  " + printable(row.entry->class_name), row.entry->unlock_time});
  }
  std::string text;
  for (const std::string& line : timeline_lines(wipe, now, bars)) text += line + "\n";
  return text.empty() ? text : "\n" + text;
}

std::string schedule_text(const Schedule& schedule, const ReportContext& context) {
  const std::vector<Row> rows = schedule_rows(schedule);
  if (rows.empty()) {
    return "\nNothing is held back: " + in_quotes(config::kDisallowRiding) + " and " +
           in_quotes(config::kDisallowTaming) + " list no class.\n";
  }
  return unlock_table(rows, context) + timeline(rows, schedule.wipe_timestamp, context.now);
}

std::string notice_line(std::string_view gate, const std::string& text) {
  return "  " + std::string(gate) +
         (text.empty() ? ": no notice\n" : ": " + printable(text) + "\n");
}

// What players are told; absent, like the member, when the file asks for no notices.
std::string notices_text(const Schedule& schedule) {
  std::string names;
  for (const auto* list : {&schedule.riding, &schedule.taming}) {
    for (const config::DelayEntry& entry : *list) {
      if (entry.display_name.empty()) continue;
      names += "  " + std::string(list == &schedule.riding ? "riding" : "taming") + "  " +
               printable(entry.class_name) + " is shown as " + in_quotes(entry.display_name) + "\n";
    }
  }
  if (!schedule.notices) {
    return names.empty() ? names : "\nDisplay names (used only with player notices):\n" + names;
  }
  const config::NoticeSettings& notices = *schedule.notices;
  std::string text =
      "\nPlayer notices, at most one per player, class and gate every " +
      std::to_string(notices.cooldown_seconds) + " s:\n" + notice_line("taming", notices.taming) +
      notice_line("imprinting", notices.imprinting) + notice_line("riding", notices.riding) +
      "  chat command: " +
      (notices.chat_command.empty() ? "none" : printable(notices.chat_command)) + "\n";
  return names.empty() ? text : text + names;
}

std::string errors_text(const CheckResult& result) {
  if (result.errors.empty()) return {};
  std::string text =
      std::string(
          "\nThe plugin would refuse this file and keep the configuration it had "
          "(at server start, ") +
      (result.salvageable ? "what reads of it, each wrong entry held back until the file is fixed"
                          : "the last good copy if it still holds something back, else none") +
      "). It would report:\n";
  for (const std::string& error : result.errors) text += "  " + error + "\n";
  for (const std::string& hint : result.hints) text += "Hint: " + hint + "\n";
  return text;
}

std::string wrong_wipe_text(const CheckResult& result) {
  return result.wrong_wipe ? "\nWrong file for this wipe: " + *result.wrong_wipe + "\n" : "";
}

std::string warnings_text(const std::vector<config::Diagnostic>& warnings) {
  if (warnings.empty()) return "\nNo warnings.\n";
  std::string text = "\nWarnings (" + std::to_string(warnings.size()) + "):\n";
  for (const config::Diagnostic& warning : warnings) text += "  - " + warning.text + "\n";
  return text;
}

std::string verdict(const CheckResult& result) {
  if (!result.errors.empty()) return "Result: the plugin would NOT load this file.\n";
  if (result.wrong_wipe) {
    return "Result: the plugin would load this file, but it is not for the wipe given.\n";
  }
  if (result.warnings.empty()) return "Result: the plugin would load this file.\n";
  return "Result: the plugin would load this file; look at the warnings above.\n";
}

}  // namespace

std::string text_report(const CheckResult& result, const ReportContext& context) {
  std::string text = header(context, result.schedule);
  if (result.schedule) {
    text += schedule_text(*result.schedule, context) + notices_text(*result.schedule);
  }
  return text + errors_text(result) + wrong_wipe_text(result) + warnings_text(result.warnings) +
         "\n" + verdict(result);
}

}  // namespace quellwarden::check
