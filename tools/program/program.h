// The running program as the system reports it, in UTF-8 on every platform: the arguments it was
// given and its own file, beside which the sandbox finds the plugin built. Both tools use it.
#pragma once

#include <string>
#include <vector>

namespace quellwarden::tools {

// The command-line arguments after the program's name.
std::vector<std::string> program_arguments(int argc, char** argv);

// The program's own file; `argv0` is the fallback where the system cannot say.
std::string program_file(const char* argv0);

}  // namespace quellwarden::tools
