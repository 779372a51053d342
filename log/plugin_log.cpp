// The plugin log: no registry entry, no file or console of its own; the host decides where lines
// go.
#include "log/plugin_log.h"

#include <spdlog/pattern_formatter.h>

#include "host/asa_api.h"

namespace quellwarden {

void PluginLog::create(const std::string& name) {
  const auto& sinks = GetLogSinks();
  logger_ = std::make_shared<spdlog::logger>(name, sinks.begin(), sinks.end());
  logger_->set_pattern("%D %R [%n][%l] %v", spdlog::pattern_time_type::local);
  logger_->flush_on(spdlog::level::info);
}

void PluginLog::error_text(std::string_view text) const {
  if (logger_) {
    logger_->log(spdlog::level::err, spdlog::string_view_t(text.data(), text.size()));
  }
}

}  // namespace quellwarden
