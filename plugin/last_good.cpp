// std::filesystem::rename replaces an existing copy in one step on both platforms (on Windows,
// MinGW's runtime renames with MoveFileExW and MOVEFILE_REPLACE_EXISTING).
#include "plugin/last_good.h"

#include <fmt/format.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "config/loader.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "plugin/plugin_state.h"
#include "text/printable.h"
#include "text/utf8_path.h"

namespace quellwarden {
namespace {

namespace fs = std::filesystem;
using std::chrono::file_clock;

// A file's time holds nanoseconds in 64 bits on some systems; a sandbox's clock may lie far
// beyond that, and then the copy keeps the time the system gave it.
constexpr std::int64_t kLatestStamp = 4'102'444'800;  // 2100-01-01

void stamp(const fs::path& file, std::int64_t now) {
  if (now < 0 || now >= kLatestStamp) return;
  std::error_code ignored;
  fs::last_write_time(
      file, file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(now))), ignored);
}

// The reason the write failed, as the system words it.
std::string write_copy(const fs::path& temporary, const fs::path& copy, std::string_view bytes,
                       std::int64_t now) {
  errno = 0;
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      return errno != 0 ? std::generic_category().message(errno) : "it cannot be written";
    }
  }
  stamp(temporary, now);
  std::error_code error;
  fs::rename(temporary, copy, error);
  return error ? error.message() : std::string();
}

}  // namespace

void keep_last_good(std::string_view bytes, std::int64_t now) noexcept {
  try {
    std::error_code error;
    const fs::path folder = config::plugin_folder(error);
    const fs::path copy = folder / config::kLastGoodFileName;
    std::string failure = error ? error.message() : std::string();
    if (failure.empty()) {
      const fs::path temporary = folder / (std::string(config::kLastGoodFileName) + ".tmp");
      failure = write_copy(temporary, copy, bytes, now);
      if (!failure.empty()) fs::remove(temporary, error);
    }
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
  const fs::file_time_type written = fs::last_write_time(copy, error);
  if (error) return std::nullopt;
  return std::chrono::floor<std::chrono::seconds>(file_clock::to_sys(written))
      .time_since_epoch()
      .count();
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
  if (result.refusal) {
    log.error(config::kLastGoodRefused, copy, config::utc_text(*written));
    log_refusal(*result.refusal);
    return;
  }
  log.warn("{}", last_good_applied(*written));
}

}  // namespace quellwarden
