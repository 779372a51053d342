// Exclusive creation with CREATE_NEW, which fails on any name that stands, a link included; the
// time goes through the handle, so it is the new file's whatever happens at its name.
#include <windows.h>

#include <algorithm>
#include <limits>
#include <system_error>

#include "plugin/new_file.h"

namespace quellwarden {
namespace {

// A file time counts 100-nanosecond ticks from 1601-01-01.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsBefore1970 = 11'644'473'600;

std::string system_reason(DWORD code) {
  return std::error_code(static_cast<int>(code), std::system_category()).message();
}

// ERROR_SUCCESS, or the error that stopped the writing.
DWORD write_all(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), std::numeric_limits<DWORD>::max()));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

// A time a file time cannot hold leaves the file its own: the bytes matter, the time only tells
// the admin when.
void stamp(HANDLE file, std::int64_t written) {
  if (written < -kSecondsBefore1970 ||
      written > std::numeric_limits<std::int64_t>::max() / kTicksPerSecond - kSecondsBefore1970) {
    return;
  }
  const auto ticks = static_cast<std::uint64_t>((written + kSecondsBefore1970) * kTicksPerSecond);
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32U)};
  SetFileTime(file, nullptr, nullptr, &time);
}

}  // namespace

NewFile write_new_file(const std::filesystem::path& path, std::string_view bytes,
                       std::int64_t written) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    return {code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS, system_reason(code)};
  }
  DWORD failure = write_all(file, bytes);
  if (failure == ERROR_SUCCESS) {
    stamp(file, written);
    if (!FlushFileBuffers(file)) failure = GetLastError();
  }
  if (!CloseHandle(file) && failure == ERROR_SUCCESS) failure = GetLastError();
  if (failure == ERROR_SUCCESS) return {};
  DeleteFileW(path.c_str());
  return {false, system_reason(failure)};
}

std::optional<std::int64_t> file_written(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  const std::uint64_t ticks = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32U) |
                              data.ftLastWriteTime.dwLowDateTime;
  return static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsBefore1970;
}

}  // namespace quellwarden
