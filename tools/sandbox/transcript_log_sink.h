// The host's log sink in the sandbox: every line the plugin logs goes into the transcript as the
// plugin's logger formatted it, stamped with the sandbox's clock so it agrees with `clock`.
#pragma once

#include <spdlog/sinks/base_sink.h>

#include <mutex>

#include "tools/sandbox/transcript.h"

namespace quellwarden::sandbox {

class TranscriptLogSink final : public spdlog::sinks::base_sink<std::mutex> {
 public:
  explicit TranscriptLogSink(Transcript& transcript) : transcript_(transcript) {}

 protected:
  void sink_it_(const spdlog::details::log_msg& message) override;
  void flush_() override {}

 private:
  Transcript& transcript_;
};

}  // namespace quellwarden::sandbox
