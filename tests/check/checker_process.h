// Runs the quellwarden-check program as a separate process and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qw_test {

struct CheckerRun {
  int exit_status = -1;  // -1 when the program did not exit normally (a crash)
  std::string out;       // line ends as "\n" on every system
  std::string err;
  // Every line the program printed ended as the system's text files end: CR LF on Windows.
  bool system_line_ends = true;
};

// Runs the checker with `arguments` (UTF-8) in `directory`, standard input empty, waiting for its
// end. Its environment is this process's, with the variables of `environment` ("TZ=UTC") set.
CheckerRun run_checker(const std::vector<std::string>& arguments,
                       const std::filesystem::path& directory,
                       const std::vector<std::string>& environment = {});

}  // namespace qw_test
