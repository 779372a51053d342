// A console shows bytes in its output code page, an OEM one unless set otherwise. Output
// redirected to a file or pipe has no console: its bytes are UTF-8 already, and the C runtime's
// text mode turns each line end into CR LF either way.
#include <windows.h>

#include <iostream>

#include "tools/check/console.h"

namespace quellwarden::check {

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
