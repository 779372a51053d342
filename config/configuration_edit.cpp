// The old and the new file are both evaluated as a load evaluates them, so what the reply says
// changed is what the reload will apply, read from the files rather than from the request.
#include "config/configuration_edit.h"

#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "config/date_reading.h"
#include "config/evaluation.h"
#include "config/file_edit.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "core/same_class.h"
#include "text/printable.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

const DelayEntry* entry_of(const Configuration& configuration, std::string_view list,
                           std::string_view class_name) {
  const auto& entries = list == kDisallowRiding ? configuration.riding : configuration.taming;
  for (const DelayEntry& entry : entries) {
    if (same_class(entry.class_name, class_name)) return &entry;
  }
  return nullptr;
}

// The names in `list` that are the class `class_name`, each once.
std::vector<std::string> names_of_class(std::string_view bytes, std::string_view list,
                                        std::string_view class_name) {
  std::vector<std::string> names;
  for (std::string& name : member_names(bytes, {kDinoSettings, std::string(list)})) {
    if (same_class(name, class_name) &&
        std::find(names.begin(), names.end(), name) == names.end()) {
      names.push_back(std::move(name));
    }
  }
  return names;
}

// A date text moved to `unix_seconds` keeps its offset, or its "Z".
std::string moved_date(const std::string& old_text, std::int64_t unix_seconds) {
  const std::optional<int> offset = read_date(old_text).offset;
  if (offset) return written_date(unix_seconds + *offset, *offset);
  const std::string text = written_date(unix_seconds, 0);
  return text.substr(0, text.size() - offset_text(0).size()) + "Z";
}

EditedBytes edited(std::string_view bytes, const Evaluation& /*before*/, const SetWipe& request) {
  const std::string value = request.date_text.empty() ? std::to_string(request.unix_seconds)
                                                      : nlohmann::json(request.date_text).dump();
  return set_member(bytes, {kWipeTimestamp}, value);
}

EditedBytes edited(std::string_view bytes, const Evaluation& before, const ShiftWipe& request) {
  const std::optional<std::int64_t> moved =
      checked_add(before.configuration->wipe_timestamp, request.seconds);
  if (!moved) return {{}, "the wipe would move past what a signed 64-bit number holds"};
  const std::int64_t wipe = *moved;
  const Value& written = before.document.members[kWipeTimestamp];
  // A date text holds the years 1 to 9999; a day's margin leaves room for any offset.
  constexpr std::int64_t kFirstDateSecond = -62135596800 + 86400;
  constexpr std::int64_t kLastDateSecond = 253402300799 - 86400;
  if (written.type() == ValueType::string && (wipe < kFirstDateSecond || wipe > kLastDateSecond)) {
    return {{},
            "the wipe would move past the years a date can hold (1 to 9999); write it in Unix "
            "seconds first"};
  }
  const std::string value =
      written.type() == ValueType::string
          ? nlohmann::json(moved_date(written.held().get<std::string>(), wipe)).dump()
          : std::to_string(wipe);
  return set_member(bytes, {kWipeTimestamp}, value);
}

EditedBytes edited(std::string_view bytes, const Evaluation& /*before*/, const SetHours& request) {
  EditedBytes result{std::string(bytes), {}};
  const std::string hours = std::to_string(request.hours);
  for (const std::string_view list : request.lists) {
    std::vector<std::string> names = names_of_class(result.bytes, list, request.class_name);
    if (names.empty()) names.push_back(request.class_name);
    for (const std::string& name : names) {
      result =
          set_member(result.bytes, {kDinoSettings, std::string(list), name, kHoursToDelay}, hours);
      if (!result.ok()) return result;
    }
  }
  return result;
}

std::string lists_text(const std::vector<std::string_view>& lists) {
  return lists.size() == 1 ? in_quotes(lists[0])
                           : in_quotes(lists[0]) + " nor in " + in_quotes(lists[1]);
}

EditedBytes edited(std::string_view bytes, const Evaluation& /*before*/,
                   const RemoveClass& request) {
  EditedBytes result{std::string(bytes), {}};
  bool listed = false;
  for (const std::string_view list : request.lists) {
    for (const std::string& name : names_of_class(result.bytes, list, request.class_name)) {
      listed = true;
      result = remove_member(result.bytes, {kDinoSettings, std::string(list), name});
      if (!result.ok()) return result;
    }
  }
  if (!listed) {
    return {{}, in_quotes(request.class_name) + " is not listed in " + lists_text(request.lists)};
  }
  return result;
}

std::vector<std::string> wipe_change(const Configuration& before, const Configuration& after) {
  return {fmt::format("{} {} -> {}", kWipeTimestamp, before.wipe_timestamp, after.wipe_timestamp)};
}

std::vector<std::string> entry_changes(const Configuration& before, const Configuration& after,
                                       std::string_view class_name,
                                       const std::vector<std::string_view>& lists) {
  std::vector<std::string> changes;
  for (const std::string_view list : lists) {
    const DelayEntry* old_entry = entry_of(before, list, class_name);
    const DelayEntry* new_entry = entry_of(after, list, class_name);
    if (old_entry != nullptr && new_entry != nullptr) {
      changes.push_back(fmt::format("{} {} {} {} -> {}", list, printable(new_entry->class_name),
                                    kHoursToDelay, old_entry->hours, new_entry->hours));
    } else if (new_entry != nullptr) {
      changes.push_back(fmt::format("{} {} added ({} {})", list, printable(new_entry->class_name),
                                    kHoursToDelay, new_entry->hours));
    } else if (old_entry != nullptr) {
      changes.push_back(fmt::format("{} {} removed ({} {})", list, printable(old_entry->class_name),
                                    kHoursToDelay, old_entry->hours));
    }
  }
  return changes;
}

std::vector<std::string> changes_of(const EditRequest& request, const Configuration& before,
                                    const Configuration& after) {
  if (const auto* hours = std::get_if<SetHours>(&request)) {
    return entry_changes(before, after, hours->class_name, hours->lists);
  }
  if (const auto* removal = std::get_if<RemoveClass>(&request)) {
    return entry_changes(before, after, removal->class_name, removal->lists);
  }
  return wipe_change(before, after);
}

std::vector<std::string> warnings_added(const Evaluation& before, const Evaluation& after) {
  std::vector<std::string> added;
  for (const Diagnostic& diagnostic : after.diagnostics) {
    const bool known =
        std::any_of(before.diagnostics.begin(), before.diagnostics.end(),
                    [&](const Diagnostic& old) { return old.text == diagnostic.text; });
    if (!known) added.push_back(diagnostic.text);
  }
  return added;
}

}  // namespace

ConfigurationEdit edit_configuration(std::string_view bytes, const EditRequest& request,
                                     std::int64_t now) {
  const Evaluation before = evaluate(bytes, {now, false});
  if (before.refusal) {
    return {
        {}, {}, {}, "config.json would not load as it stands: " + refusal_line(*before.refusal)};
  }
  EditedBytes result =
      std::visit([&](const auto& asked) { return edited(bytes, before, asked); }, request);
  if (!result.ok()) return {{}, {}, {}, std::move(result.problem)};
  const Evaluation after = evaluate(result.bytes, {now, false});
  if (after.refusal) {
    return {{}, {}, {}, "the edited file would not load: " + refusal_line(*after.refusal)};
  }
  return {std::move(result.bytes),
          changes_of(request, *before.configuration, *after.configuration),
          warnings_added(before, after),
          {}};
}

}  // namespace quellwarden::config
