// The scale is chosen so that ticks fall on round spans from the wipe (12h, 1d, 7d, ...), eight
// columns apart, with at most seven ticks: a chart no wider than 56 columns, a week in days.
#include "tools/check/timeline.h"

#include <algorithm>
#include <array>
#include <optional>

#include "config/time_text.h"
#include "config/vocabulary.h"
#include "tools/check/display_text.h"

namespace quellwarden::check {
namespace {

using config::duration_text;
using config::seconds_between;

constexpr std::uint64_t kHour = config::kSecondsPerHour;
constexpr std::uint64_t kDay = config::kSecondsPerDay;
constexpr std::uint64_t kColumnsPerTick = 8;
constexpr std::uint64_t kMaxTicks = 7;
constexpr std::size_t kMaxLabelWidth = 40;
constexpr char kLocked = '#';
constexpr char kNow = '|';

struct Scale {
  std::uint64_t tick = 0;    // seconds between two ticks
  std::uint64_t column = 0;  // seconds per column
  std::uint64_t width = 0;   // columns from the wipe to the last unlock
};

std::uint64_t columns_for(std::uint64_t seconds, std::uint64_t column) {
  return seconds / column + (seconds % column == 0 ? 0 : 1);
}

Scale scale_for(std::uint64_t span) {
  static constexpr std::array<std::uint64_t, 11> kTicks{kHour,     3 * kHour, 6 * kHour, 12 * kHour,
                                                        kDay,      2 * kDay,  7 * kDay,  14 * kDay,
                                                        30 * kDay, 90 * kDay, 365 * kDay};
  const auto fitting = std::find_if(kTicks.begin(), kTicks.end(), [span](std::uint64_t candidate) {
    return columns_for(span, candidate) <= kMaxTicks;
  });
  std::uint64_t tick = fitting != kTicks.end() ? *fitting : kTicks.back();
  while (columns_for(span, tick) > kMaxTicks) tick *= 10;  // a wider range counts in decades
  const std::uint64_t column = tick / kColumnsPerTick;
  return {tick, column, columns_for(span, column)};
}

std::string tick_label(std::uint64_t offset) {
  if (offset == 0) return "wipe";
  const bool days = offset % kDay == 0;
  return std::string("+")
      .append(std::to_string(offset / (days ? kDay : kHour)))
      .append(days ? "d" : "h");
}

std::string bar_text(std::uint64_t length, std::optional<std::uint64_t> now_column) {
  std::string bar(length, kLocked);
  if (now_column) {
    if (bar.size() <= *now_column) bar.resize(*now_column + 1, ' ');
    bar[*now_column] = kNow;
  }
  return bar;
}

std::string axis_text(const Scale& scale) {
  std::string axis;
  for (std::uint64_t column = 0; column <= scale.width; ++column) {
    axis += column % kColumnsPerTick == 0 ? '+' : '-';
  }
  return axis;
}

std::string axis_labels(const Scale& scale) {
  std::string labels;
  for (std::uint64_t column = 0; column <= scale.width; column += kColumnsPerTick) {
    const std::string label = tick_label(column / kColumnsPerTick * scale.tick);
    if (column != 0 && labels.size() >= column) continue;  // no room after the previous label
    labels.resize(column, ' ');
    labels += label;
  }
  return labels;
}

std::string heading(std::int64_t wipe, std::int64_t now, std::int64_t last, const Scale& scale) {
  std::string text =
      "Timeline from the wipe to the last unlock, one column = " + duration_text(scale.column) +
      " (" + kLocked + " locked";
  if (now < wipe) return text + "; now is before the wipe):";
  if (now >= last) return text + "; now is past the last unlock):";
  return text + ", " + kNow + " now):";
}

}  // namespace

std::vector<std::string> timeline_lines(std::int64_t wipe, std::int64_t now,
                                        const std::vector<TimelineBar>& bars) {
  std::int64_t last = wipe;
  std::size_t label_width = 0;
  for (const TimelineBar& bar : bars) {
    last = std::max(last, bar.unlock_time);
    label_width = std::max(label_width, std::min(characters_in(bar.label), kMaxLabelWidth));
  }
  if (last == wipe) return {};
  const Scale scale = scale_for(seconds_between(wipe, last));
  std::optional<std::uint64_t> now_column;
  if (now >= wipe && now < last) now_column = seconds_between(wipe, now) / scale.column;

  std::vector<std::string> lines{heading(wipe, now, last, scale)};
  const std::string indent = "  " + std::string(label_width, ' ') + "  ";
  for (const TimelineBar& bar : bars) {
    const std::uint64_t length =
        bar.unlock_time <= wipe ? 0
                                : columns_for(seconds_between(wipe, bar.unlock_time), scale.column);
    std::string line = "  " + fit(bar.label, label_width) + "  " + bar_text(length, now_column);
    line.erase(line.find_last_not_of(' ') + 1);
    lines.push_back(std::move(line));
  }
  lines.push_back(indent + axis_text(scale));
  lines.push_back(indent + axis_labels(scale));
  return lines;
}

}  // namespace quellwarden::check
