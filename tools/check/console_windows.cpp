// The C runtime's argv is in the ANSI code page, which cannot hold every path; the wide command
// line can, whether the user typed it in the console's code page or a program passed UTF-16.
#include <windows.h>
// Needs the declarations above.
#include <shellapi.h>

#include <iostream>
#include <memory>
#include <string_view>

#include "tools/check/console.h"

namespace quellwarden::check {
namespace {

std::string utf8(std::wstring_view text) {
  const int wide_size = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_size, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace

std::vector<std::string> program_arguments(int argc, char** argv) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
      CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  if (!wide) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int at = 1; at < count; ++at) arguments.push_back(utf8(wide.get()[at]));
  return arguments;
}

// Output redirected to a file or pipe has no console: its bytes are UTF-8 already, and the C
// runtime's text mode turns each line end into CR LF either way.
Utf8Console::Utf8Console() : previous_code_page_(GetConsoleOutputCP()) {
  if (previous_code_page_ != 0) SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
  if (previous_code_page_ == 0) return;
  std::cout.flush();  // what is still buffered must reach the console while it reads UTF-8
  std::cerr.flush();
  SetConsoleOutputCP(previous_code_page_);
}

}  // namespace quellwarden::check
