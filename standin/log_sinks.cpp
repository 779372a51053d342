// The host's list of log sinks, which plugins copy when they make their loggers.
#include <spdlog/sinks/sink.h>

#include "standin/world.h"

std::vector<std::shared_ptr<spdlog::sinks::sink>>& GetLogSinks() {
  return standin::detail::forever<std::vector<std::shared_ptr<spdlog::sinks::sink>>>();
}
