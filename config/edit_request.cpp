// Every word is checked before anything is read from the file: a request that cannot be meant as
// it stands (hours that are not whole, a name that is no class name, a wipe in milliseconds) is
// answered with what to write, and nothing is written.
#include "config/edit_request.h"

#include <optional>

#include "config/date_reading.h"
#include "config/diagnostics/checks.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"
#include "text/words.h"

namespace quellwarden::config {
namespace {

// The text after the command's name, blanks around it dropped.
std::string_view rest_of(std::string_view line, std::string_view name) {
  std::string_view rest = line.substr(line.find(name) + name.size());
  const std::size_t start = rest.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  rest.remove_prefix(start);
  return rest.substr(0, rest.find_last_not_of(kBlanks) + 1);
}

std::string usage(std::string_view command) {
  if (command == kSetWipeCommand) return "usage: Quellwarden.setwipe now|DATE|UNIX";
  if (command == kShiftCommand) return "usage: Quellwarden.shift +N<h|m|d>|-N<h|m|d>";
  if (command == kDelayCommand) return "usage: Quellwarden.delay CLASS HOURS [taming|riding]";
  return "usage: Quellwarden.unlock CLASS [taming|riding]";
}

std::variant<EditRequest, std::string> set_wipe(std::string_view text, std::int64_t now) {
  if (same_word(text, "now")) return SetWipe{now, {}};
  if (const std::optional<std::int64_t> seconds = whole_number(text)) {
    if (std::optional<std::string> note = milliseconds_note(text)) return *note;
    return SetWipe{*seconds, {}};
  }
  const DateReading date = read_date(text);
  if (date.unix_seconds) return SetWipe{*date.unix_seconds, std::string(text)};
  return in_quotes(text) + " " + date.problem + "; write now, Unix seconds or a date as " +
         kDateForms + (date.suggestion.empty() ? "" : " (" + date.suggestion + ")");
}

std::variant<EditRequest, std::string> shift_wipe(std::string_view text) {
  constexpr std::string_view kUnits = "hmd";
  constexpr std::int64_t kUnitSeconds[] = {kSecondsPerHour, 60, kSecondsPerDay};
  const std::string refused = in_quotes(text) +
                              " is not a signed whole number of hours, minutes or days, such as "
                              "+24h, -90m or +2d";
  const bool has_sign = text.starts_with('+') || text.starts_with('-');
  if (text.size() < 3 || !has_sign || text[1] < '0' || text[1] > '9') return refused;
  const std::size_t unit = kUnits.find(text.back());
  const std::optional<std::int64_t> count = whole_number(text.substr(1, text.size() - 2));
  const std::optional<std::int64_t> seconds = unit == std::string_view::npos || !count
                                                  ? std::nullopt
                                                  : checked_multiply(*count, kUnitSeconds[unit]);
  if (!seconds) return refused;
  return ShiftWipe{text[0] == '-' ? -*seconds : *seconds};
}

std::optional<std::string> not_a_class_name(std::string_view name, std::string_view list) {
  const MemberPath path{kDinoSettings, std::string(list)};
  if (auto problem = class_name_diagnostic(name, list, path)) return std::move(problem->text);
  if (auto problem = invisible_character_diagnostic(name, list, path)) {
    return std::move(problem->text);
  }
  return std::nullopt;
}

// The lists a last word names, or both when there is none; nothing for another word.
std::optional<std::vector<std::string_view>> lists_named(const std::vector<std::string_view>& words,
                                                         std::size_t at) {
  if (words.size() == at) return std::vector<std::string_view>{kDisallowRiding, kDisallowTaming};
  if (words.size() != at + 1) return std::nullopt;
  if (same_word(words[at], "riding")) return std::vector<std::string_view>{kDisallowRiding};
  if (same_word(words[at], "taming")) return std::vector<std::string_view>{kDisallowTaming};
  return std::nullopt;
}

std::variant<EditRequest, std::string> class_request(std::string_view command,
                                                     const std::vector<std::string_view>& words) {
  const bool delay = command == kDelayCommand;
  const std::size_t lists_at = delay ? 3 : 2;
  const std::optional<std::vector<std::string_view>> lists = lists_named(words, lists_at);
  if (words.size() < lists_at || !lists) return usage(command);
  const std::string class_name(words[1]);
  // An entry of any name can go; only a name that holds back nothing is refused as new.
  if (!delay) return RemoveClass{class_name, *lists};
  if (auto problem = not_a_class_name(class_name, lists->back())) return *problem;
  const std::optional<std::int64_t> hours = whole_number(words[2]);
  if (!hours || *hours < 0) {
    return "hours must be a whole number, 0 or more, not " + in_quotes(words[2]);
  }
  return SetHours{class_name, *hours, *lists};
}

}  // namespace

std::variant<EditRequest, std::string> read_edit_request(std::string_view command_line,
                                                         std::int64_t now) {
  const std::vector<std::string_view> words = words_of(command_line);
  std::string_view command;
  for (const std::string_view name : kEditCommands) {
    if (!words.empty() && same_word(words[0], name)) command = name;
  }
  if (command.empty()) return std::string("not an edit command");
  if (command == kSetWipeCommand || command == kShiftCommand) {
    const std::string_view rest = rest_of(command_line, words[0]);
    if (rest.empty()) return usage(command);
    if (command == kSetWipeCommand) return set_wipe(rest, now);
    if (words.size() != 2) return usage(command);
    return shift_wipe(rest);
  }
  return class_request(command, words);
}

}  // namespace quellwarden::config
