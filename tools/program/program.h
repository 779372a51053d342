// The running program as the system reports it, in UTF-8 on every platform: the arguments it was
// given and its own file, beside which the sandbox finds the plugin built; and the window it may
// have been given. Both tools use it.
#pragma once

#include <string>
#include <vector>

namespace quellwarden::tools {

// The command-line arguments after the program's name.
std::vector<std::string> program_arguments(int argc, char** argv);

// The program's own file; `argv0` is the fallback where the system cannot say.
std::string program_file(const char* argv0);

// Started by a double-click, or by dropping a file on it, a program gets a console window of its
// own, which closes the moment the program ends. Made first in main, this keeps such a window
// until Enter, so that the program's last words can be read. It never waits for a program run
// from a shell or with redirected input, and does nothing where there are no such windows.
class OwnWindowHold {
 public:
  OwnWindowHold() = default;
  OwnWindowHold(const OwnWindowHold&) = delete;
  OwnWindowHold& operator=(const OwnWindowHold&) = delete;
  ~OwnWindowHold();
};

}  // namespace quellwarden::tools
