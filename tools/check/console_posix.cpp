// Here arguments arrive as the bytes the user gave, and terminals take UTF-8 as they are set.
#include "tools/check/console.h"

namespace quellwarden::check {

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

}  // namespace quellwarden::check
