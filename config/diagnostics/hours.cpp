// Hours that the plugin reads, but not as the admin most likely meant them.
#include <cmath>

#include "config/diagnostics/checks.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

bool is_negative(const Value& hours) {
  return (hours.type() == ValueType::number_integer && hours.held().get<std::int64_t>() < 0) ||
         (hours.type() == ValueType::number_float && hours.held().get<double>() <= -1.0);
}

// Ten years and more: hours given in minutes or seconds, most likely.
bool is_absurd(const Value& hours) {
  switch (hours.type()) {
    case ValueType::number_integer:
      return hours.held().get<std::int64_t>() > kAbsurdHours;
    case ValueType::number_unsigned:
      return hours.held().get<std::uint64_t>() > kAbsurdHours;
    case ValueType::number_float:
      return hours.held().get<double>() >= static_cast<double>(kAbsurdHours + 1);
    default:
      return false;
  }
}

std::string hours_member(std::string_view class_name, std::string_view list_name) {
  return in_quotes(kHoursToDelay) + " of " + entry_place(class_name, list_name) + " ";
}

}  // namespace

std::optional<std::string> conversion_note(const Value& value) {
  if (value.type() == ValueType::boolean) {
    return "is " + value.held().dump() + ", not a number; the plugin reads it as " +
           (value.held().get<bool>() ? "1" : "0");
  }
  if (value.type() != ValueType::number_float) return std::nullopt;
  const double number = value.held().get<double>();
  if (!(number >= -kTwoToThe63 && number < kTwoToThe63) || std::trunc(number) == number) {
    return std::nullopt;  // whole, or out of range and an error of its own
  }
  return "is " + value.held().dump() + ", not a whole number; the plugin cuts it to " +
         std::to_string(static_cast<std::int64_t>(number));
}

void check_hours(const ListItem& item, std::string_view list_name, const MemberPath& list_path,
                 Diagnostics& out) {
  const Value& hours = item.members[kHoursToDelay];
  const auto path = [&] { return below(below(list_path, item.class_name), kHoursToDelay); };
  if (!hours.present()) {
    out.push_back({DiagnosticCode::missing_hours, path(),
                   entry_place(item.class_name, list_name) + " has no " + in_quotes(kHoursToDelay) +
                       ", so the plugin uses 0 hours and releases it at the wipe"});
    return;
  }
  if (const auto note = conversion_note(hours)) {
    out.push_back({DiagnosticCode::hours_not_whole, path(),
                   hours_member(item.class_name, list_name) + *note});
  }
  if (is_negative(hours)) {
    out.push_back({DiagnosticCode::negative_hours, path(),
                   hours_member(item.class_name, list_name) + "is " + hours.held().dump() +
                       ", negative: the class is released before the wipe, not after it"});
  }
  if (is_absurd(hours)) {
    out.push_back({DiagnosticCode::absurd_hours, path(),
                   hours_member(item.class_name, list_name) + "is " + hours.held().dump() +
                       ", more than ten years: the class is never released in practice; give "
                       "the delay in hours, not in minutes or seconds"});
  }
}

}  // namespace quellwarden::config
