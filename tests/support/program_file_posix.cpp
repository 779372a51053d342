// The running program's file on Linux: the kernel's link for the process.
#include <filesystem>

#include "tests/support/built_files.h"

namespace qw_test {

std::filesystem::path program_file() { return std::filesystem::read_symlink("/proc/self/exe"); }

}  // namespace qw_test
