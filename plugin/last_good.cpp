// The copy's time is the file's own, set before the rename publishes it, so the bytes and the time
// they were written arrive together; read as the system keeps it, a time past any clock's range
// still reads as a time, never as no copy.
#include "plugin/last_good.h"

#include <fmt/format.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "config/loader.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "plugin/file_replacement.h"
#include "plugin/new_file.h"
#include "plugin/plugin_state.h"
#include "text/printable.h"
#include "text/utf8_path.h"

namespace quellwarden {

namespace fs = std::filesystem;

void keep_last_good(std::string_view bytes, std::int64_t now) noexcept {
  try {
    std::error_code error;
    const fs::path folder = config::plugin_folder(error);
    const fs::path copy = folder / config::kLastGoodFileName;
    const std::string failure = error ? error.message() : replace_file(copy, bytes, now);
    if (!failure.empty()) {
      plugin_state().log.warn(config::kLastGoodNotKept, printable(utf8_of_path(copy)), failure);
    }
  } catch (...) {
    // Exhausted memory: the load has applied, the copy is only a safeguard.
  }
}

std::optional<std::int64_t> last_good_written() {
  std::error_code error;
  const fs::path copy = config::plugin_folder(error) / config::kLastGoodFileName;
  if (error || !fs::is_regular_file(copy, error)) return std::nullopt;
  return file_written(copy);
}

std::string last_good_applied(std::int64_t written) {
  return fmt::format(config::kLastGoodApplied, config::plugin_file_text(config::kLastGoodFileName),
                     config::utc_text(written), config::kConfigFileName);
}

void fall_back_to_last_good(const config::Refusal& refused) {
  const std::optional<std::int64_t> written = last_good_written();
  if (!written) return;
  const LoadResult result = load_last_good(refused, *written);
  const std::string copy = config::plugin_file_text(config::kLastGoodFileName);
  const PluginLog& log = plugin_state().log;
  if (result.all_past) {
    log.warn(config::kLastGoodFromEarlierWipe, copy, config::utc_text(*written));
    return;
  }
  if (result.refusal) {
    log.error(config::kLastGoodRefused, copy, config::utc_text(*written));
    log_refusal(*result.refusal);
    return;
  }
  log.warn("{}", last_good_applied(*written));
}

}  // namespace quellwarden
