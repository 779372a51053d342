// The checker's side of the system: its arguments as UTF-8 text, and a console that shows UTF-8.
#pragma once

#include <string>
#include <vector>

namespace quellwarden::check {

// The command-line arguments after the program's name, in UTF-8 whatever the system's own
// encoding of them.
std::vector<std::string> program_arguments(int argc, char** argv);

// While it lives, a console shows the program's output as UTF-8; at its end the console gets back
// the code page it had, so the shell that started the checker is left as it was.
class Utf8Console {
 public:
  Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;
  ~Utf8Console();

 private:
  unsigned previous_code_page_ = 0;  // 0: nothing to give back
};

}  // namespace quellwarden::check
