// A frozen sandbox clock stands for the server's wall clock, so log lines carry its time too.
#include "tools/sandbox/transcript_log_sink.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string_view>

#include "standin/standin.h"

namespace quellwarden::sandbox {
namespace {

// The log clock counts nanoseconds, so it ends in 1677 and 2262, long before the game's clock
// does; past those ends a line carries the nearest time it can hold instead of a wrapped one.
spdlog::log_clock::time_point log_time_of(std::int64_t seconds) {
  using Duration = spdlog::log_clock::duration;
  constexpr std::int64_t limit =
      std::chrono::duration_cast<std::chrono::seconds>(Duration::max()).count();
  return spdlog::log_clock::time_point(std::chrono::duration_cast<Duration>(
      std::chrono::seconds(std::clamp<std::int64_t>(seconds, -limit, limit))));
}

}  // namespace

void TranscriptLogSink::sink_it_(const spdlog::details::log_msg& message) {
  spdlog::details::log_msg stamped = message;
  if (standin::clock_frozen()) {
    stamped.time = log_time_of(standin::clock_seconds());
  }
  spdlog::memory_buf_t rendered;
  formatter_->format(stamped, rendered);
  const std::string_view text(rendered.data(), rendered.size());
  transcript_.line(text.substr(0, text.find_last_not_of("\r\n") + 1));
}

}  // namespace quellwarden::sandbox
