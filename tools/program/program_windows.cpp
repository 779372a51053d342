// The C runtime's argv is in the ANSI code page, which cannot hold every path; the wide command
// line and the module's wide file name can. argv[0] may be a bare name found on PATH. A console
// that lists this process alone was opened for it, as for a double-click: a shell's console lists
// the shell too.
#include <windows.h>
// Needs the declarations above.
#include <shellapi.h>

#include <array>
#include <iostream>
#include <memory>
#include <string_view>

#include "host/utf8.h"
#include "tools/program/program.h"

namespace quellwarden::tools {
namespace {

// As Windows converts, a lone surrogate becomes U+FFFD.
std::string utf8(std::wstring_view text) {
  return host::encode_utf8({reinterpret_cast<const char16_t*>(text.data()), text.size()});
}

// A console window of this process's own, which its standard input reads from.
bool own_console_window() {
  std::array<DWORD, 2> processes{};
  DWORD mode = 0;
  return GetConsoleProcessList(processes.data(), static_cast<DWORD>(processes.size())) == 1 &&
         GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

// Until a line ends: keys typed before the prompt do not count.
void wait_for_enter(HANDLE input) {
  DWORD mode = 0;
  GetConsoleMode(input, &mode);
  SetConsoleMode(input, mode | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
  FlushConsoleInputBuffer(input);
  std::array<wchar_t, 256> typed{};
  DWORD got = 0;
  while (ReadConsoleW(input, typed.data(), static_cast<DWORD>(typed.size()), &got, nullptr) &&
         got > 0 && std::wstring_view(typed.data(), got).find(L'\n') == std::wstring_view::npos) {
  }
}

}  // namespace

OwnWindowHold::~OwnWindowHold() {
  if (own_console_window()) {
    std::cout << "\nPress Enter to close this window." << std::flush;
    wait_for_enter(GetStdHandle(STD_INPUT_HANDLE));
  }
}

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
