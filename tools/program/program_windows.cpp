// The C runtime's argv is in the ANSI code page, which cannot hold every path; the wide command
// line and the module's wide file name can. argv[0] may be a bare name found on PATH.
#include <windows.h>
// Needs the declarations above.
#include <shellapi.h>

#include <memory>
#include <string_view>

#include "tools/program/program.h"

namespace quellwarden::tools {
namespace {

std::string utf8(std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int wide_size = static_cast<int>(text.size());
  std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_size,
                                                               nullptr, 0, nullptr, nullptr)),
                  '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_size, out.data(), static_cast<int>(out.size()),
                      nullptr, nullptr);
  return out;
}

}  // namespace

std::vector<std::string> program_arguments(int argc, char** argv) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
      CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  if (!wide) {
    return std::vector<std::string>(argv + 1, argv + argc);
  }
  std::vector<std::string> arguments;
  for (int at = 1; at < count; ++at) {
    arguments.push_back(utf8(wide.get()[at]));
  }
  return arguments;
}

std::string program_file(const char* argv0) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) {
      return argv0;
    }
    if (length < size) {
      buffer.resize(length);
      return utf8(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace quellwarden::tools
