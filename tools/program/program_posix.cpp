// Arguments arrive as bytes already; the kernel knows the program's file even when it was started
// through a link or from PATH. A terminal window belongs to its shell, so nothing holds it.
#include <filesystem>

#include "tools/program/program.h"

namespace quellwarden::tools {

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::string program_file(const char* argv0) {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    program = std::filesystem::absolute(argv0);
  }
  return program.string();
}

OwnWindowHold::~OwnWindowHold() = default;

}  // namespace quellwarden::tools
