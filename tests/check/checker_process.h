// Runs the quellwarden-check program as a separate process and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qw_test {

struct CheckerRun {
  int exit_status = -1;  // -1 when the program did not exit normally (a crash)
  std::string out;
  std::string err;
};

// Runs the checker with `arguments` in `directory`, standard input empty, waiting for its end.
CheckerRun run_checker(const std::vector<std::string>& arguments,
                       const std::filesystem::path& directory);

}  // namespace qw_test
