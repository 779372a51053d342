// The running program's file on Windows, in full even past MAX_PATH.
#include <windows.h>

#include <string>

#include "tests/support/built_files.h"

namespace qw_test {

std::filesystem::path program_file() {
  std::wstring buffer(32768, L'\0');
  buffer.resize(GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())));
  return std::filesystem::path(buffer);
}

}  // namespace qw_test
