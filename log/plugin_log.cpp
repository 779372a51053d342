// The plugin log: no registry entry, no file or console of its own; the host decides where lines
// go.
#include "log/plugin_log.h"

#include <spdlog/pattern_formatter.h>

#include "host/asa_api.h"

namespace quellwarden {

std::shared_ptr<spdlog::logger>& plugin_log_handle() {
  static std::shared_ptr<spdlog::logger> handle;
  return handle;
}

void create_plugin_log(std::shared_ptr<spdlog::logger>& handle, const std::string& name) {
  const auto& sinks = GetLogSinks();
  handle = std::make_shared<spdlog::logger>(name, sinks.begin(), sinks.end());
  handle->set_pattern("%D %R [%n][%l] %v", spdlog::pattern_time_type::local);
  handle->flush_on(spdlog::level::info);
}

void log_error_text(std::string_view text) {
  if (const auto& log = plugin_log_handle()) {
    log->log(spdlog::level::err, spdlog::string_view_t(text.data(), text.size()));
  }
}

}  // namespace quellwarden
