// A wipe time far from now usually means a file left over from the previous wipe, or a time
// copied in milliseconds; a missing one counts every delay from 1970. An offset copied from
// another season or place moves every unlock by the difference.
#include <algorithm>

#include "config/date_reading.h"
#include "config/diagnostics/checks.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

// The time as the file gives it: the number the reader made of it, or the date text itself.
std::string wipe_text(std::int64_t wipe, const Value& member) {
  const std::string given =
      member.type() == ValueType::string ? value_text(member) : std::to_string(wipe);
  return "the wipe time " + utc_text(wipe) + " (" + in_quotes(kWipeTimestamp) + " " + given + ")";
}

// The last unlock of both lists, if they list any class.
std::optional<std::int64_t> last_unlock(const Configuration& configuration) {
  std::optional<std::int64_t> last;
  for (const auto* list : {&configuration.riding, &configuration.taming}) {
    for (const DelayEntry& entry : *list) {
      last = std::max(last.value_or(entry.unlock_time), entry.unlock_time);
    }
  }
  return last;
}

Diagnostic future_wipe(std::int64_t wipe, const Value& member, std::int64_t now) {
  return {DiagnosticCode::future_wipe,
          {kWipeTimestamp},
          wipe_text(wipe, member) + " is in the future, " + relative_text(wipe, now) +
              "; until then, and for the hours after it, every listed class is held back, riding "
              "of creatures already tamed too"};
}

// The whole number a number member stands for, as its digits; nothing for one out of range.
std::optional<std::string> whole_digits(const Value& member) {
  const nlohmann::json& number = member.held();
  switch (member.type()) {
    case ValueType::number_integer:
      return std::to_string(number.get<std::int64_t>());
    case ValueType::number_unsigned:
      return std::to_string(number.get<std::uint64_t>());
    case ValueType::number_float: {
      const double value = number.get<double>();
      if (!(value >= 0 && value < kTwoToThe63)) return std::nullopt;
      return std::to_string(static_cast<std::int64_t>(value));
    }
    default:
      return std::nullopt;
  }
}

bool in_milliseconds(const Value& member) {
  const std::optional<std::string> digits = whole_digits(member);
  return digits && milliseconds_note(*digits);
}

}  // namespace

void check_wipe_member(const Value& wipe, Diagnostics& out) {
  if (!wipe.present()) {
    out.push_back({DiagnosticCode::missing_wipe,
                   {kWipeTimestamp},
                   in_quotes(kWipeTimestamp) +
                       " is missing, so the plugin counts every unlock time from 0 "
                       "(1970-01-01 00:00:00 UTC)"});
  } else if (const auto note = conversion_note(wipe)) {
    out.push_back({DiagnosticCode::wipe_not_whole,
                   {kWipeTimestamp},
                   in_quotes(kWipeTimestamp) + " " + *note});
  }
  if (const std::optional<std::string> digits = whole_digits(wipe)) {
    if (const auto note = milliseconds_note(*digits)) {
      out.push_back({DiagnosticCode::wipe_in_milliseconds,
                     {kWipeTimestamp},
                     in_quotes(kWipeTimestamp) + " " + *note});
    }
  }
}

Diagnostics wipe_diagnostics(const Configuration& configuration, const Value& member,
                             std::int64_t now) {
  if (!member.present()) return {};
  const std::int64_t wipe = configuration.wipe_timestamp;
  // A wipe in milliseconds lies thousands of years ahead; its own warning says so.
  if (wipe > now) {
    return in_milliseconds(member) ? Diagnostics{} : Diagnostics{future_wipe(wipe, member, now)};
  }
  const std::optional<std::int64_t> last = last_unlock(configuration);
  if (last && *last < now) {
    return {{DiagnosticCode::stale_wipe,
             {kWipeTimestamp},
             wipe_text(wipe, member) + " leaves every listed unlock in the past, the last one " +
                 relative_text(*last, now) + ": nothing is held back; is " +
                 in_quotes(kWipeTimestamp) + " from an earlier wipe?"}};
  }
  if (seconds_between(wipe, now) > static_cast<std::uint64_t>(kSecondsPerYear)) {
    return {{DiagnosticCode::stale_wipe,
             {kWipeTimestamp},
             wipe_text(wipe, member) + " is more than a year before now, " +
                 relative_text(wipe, now) + "; is it left from an earlier wipe?"}};
  }
  return {};
}

std::optional<Diagnostic> wipe_before_clock(const Document& document,
                                            const Configuration& configuration,
                                            std::int64_t clock) {
  const std::int64_t wipe = configuration.wipe_timestamp;
  if (!document.members[kWipeTimestamp].present() || wipe >= clock ||
      seconds_between(wipe, clock) <= kSecondsPerDay) {
    return std::nullopt;
  }
  return Diagnostic{DiagnosticCode::stale_wipe,
                    {kWipeTimestamp},
                    wipe_text(wipe, document.members[kWipeTimestamp]) +
                        " is more than a day before the real time, " + relative_text(wipe, clock) +
                        "; is it left from an earlier wipe?"};
}

std::optional<Diagnostic> zone_offset_diagnostic(const Document& document,
                                                 const Configuration& configuration,
                                                 int local_offset) {
  const Value& wipe = document.members[kWipeTimestamp];
  if (wipe.type() != ValueType::string) return std::nullopt;
  const std::optional<int> written = read_date(wipe.held().get_ref<const std::string&>()).offset;
  if (!written || *written == local_offset) return std::nullopt;
  return Diagnostic{DiagnosticCode::zone_offset_mismatch,
                    {kWipeTimestamp},
                    in_quotes(kWipeTimestamp) + " " + value_text(wipe) + " has the offset " +
                        offset_text(*written) + ", but this machine's zone is " +
                        offset_text(local_offset) + " at that date, so the wipe falls at " +
                        local_text(configuration.wipe_timestamp, local_offset) +
                        " here; if the time is meant as this machine's local time, write " +
                        offset_text(local_offset)};
}

}  // namespace quellwarden::config
