// A frozen sandbox clock stands for the server's wall clock, so log lines carry its time too.
#include "tools/sandbox/transcript_log_sink.h"

#include <chrono>
#include <string_view>

#include "standin/standin.h"

namespace quellwarden::sandbox {

void TranscriptLogSink::sink_it_(const spdlog::details::log_msg& message) {
  spdlog::details::log_msg stamped = message;
  if (standin::clock_frozen()) {
    stamped.time = spdlog::log_clock::time_point(std::chrono::seconds(standin::clock_seconds()));
  }
  spdlog::memory_buf_t rendered;
  formatter_->format(stamped, rendered);
  std::string_view text(rendered.data(), rendered.size());
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  transcript_.line(text);
}

}  // namespace quellwarden::sandbox
