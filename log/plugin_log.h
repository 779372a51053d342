// The plugin's one logger, named "Quellwarden", writing into the host's own log sinks.
#pragma once

#include <spdlog/logger.h>

#include <memory>
#include <string>
#include <string_view>

namespace quellwarden {

// The handle to the plugin's logger. Empty until created; every call on an empty handle writes
// nothing, so nothing can log before the log exists. Not thread-safe to create; the logger
// itself is safe to write from several threads.
class PluginLog {
 public:
  constexpr PluginLog() noexcept = default;

  // A logger named `name` on a copy of the host's sink list as it is now, in the plugin's line
  // layout, flushing after every line. Replaces a logger held before.
  void create(const std::string& name);

  // Writes `text` as it stands: braces in it are not a pattern.
  void error_text(std::string_view text) const;

  template <typename... Args>
  void info(spdlog::format_string_t<Args...> pattern, Args&&... args) const {
    if (logger_) logger_->info(pattern, std::forward<Args>(args)...);
  }
  template <typename... Args>
  void warn(spdlog::format_string_t<Args...> pattern, Args&&... args) const {
    if (logger_) logger_->warn(pattern, std::forward<Args>(args)...);
  }
  template <typename... Args>
  void error(spdlog::format_string_t<Args...> pattern, Args&&... args) const {
    if (logger_) logger_->error(pattern, std::forward<Args>(args)...);
  }

 private:
  std::shared_ptr<spdlog::logger> logger_;
};

}  // namespace quellwarden
