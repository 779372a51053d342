// A log sink that keeps every formatted line and counts flushes, for tests to read back.
#pragma once

#include <spdlog/sinks/base_sink.h>

#include <mutex>
#include <string>
#include <vector>

namespace qw_test {

class RecordingSink final : public spdlog::sinks::base_sink<std::mutex> {
 public:
  struct Line {
    spdlog::level::level_enum level;
    std::string text;  // as the logger's pattern rendered it, line end included
    std::string message;
  };

  std::vector<Line> lines() {
    const std::lock_guard lock(mutex_);
    return lines_;
  }
  int flushes() {
    const std::lock_guard lock(mutex_);
    return flushes_;
  }
  void forget() {
    const std::lock_guard lock(mutex_);
    lines_.clear();
    flushes_ = 0;
  }

 protected:
  void sink_it_(const spdlog::details::log_msg& message) override {
    spdlog::memory_buf_t rendered;
    formatter_->format(message, rendered);
    lines_.push_back({message.level, fmt::to_string(rendered),
                      std::string(message.payload.data(), message.payload.size())});
  }
  void flush_() override { ++flushes_; }

 private:
  std::vector<Line> lines_;
  int flushes_ = 0;
};

}  // namespace qw_test
