// posix_spawn with the two output streams sent to files: no pipe to drain, so a program that
// prints a lot cannot stall the test.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "tests/check/checker_process.h"
#include "tests/support/built_files.h"

extern char** environ;

namespace qw_test {
namespace {

std::string contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class FileActions {
 public:
  FileActions() { posix_spawn_file_actions_init(&actions_); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;

  void open(int descriptor, const std::filesystem::path& path, int flags) {
    posix_spawn_file_actions_addopen(&actions_, descriptor, path.c_str(), flags, 0644);
  }
  void change_directory(const std::filesystem::path& path) {
    posix_spawn_file_actions_addchdir_np(&actions_, path.c_str());
  }
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

int wait_for(pid_t child) {
  int status = 0;
  if (waitpid(child, &status, 0) != child) throw std::runtime_error("waitpid failed");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// This process's variables less those `settings` set, then `settings`.
std::vector<std::string> child_environment(const std::vector<std::string>& settings) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string_view given(*variable);
    const bool replaced = std::any_of(settings.begin(), settings.end(), [&](const auto& setting) {
      return given.starts_with(setting.substr(0, setting.find('=') + 1));
    });
    if (!replaced) variables.emplace_back(given);
  }
  variables.insert(variables.end(), settings.begin(), settings.end());
  return variables;
}

}  // namespace

CheckerRun run_checker(const std::vector<std::string>& arguments,
                       const std::filesystem::path& directory,
                       const std::vector<std::string>& environment) {
  const std::filesystem::path out_path = directory / ".checker-stdout";
  const std::filesystem::path err_path = directory / ".checker-stderr";
  FileActions actions;
  actions.open(0, "/dev/null", O_RDONLY);
  actions.open(1, out_path, O_WRONLY | O_CREAT | O_TRUNC);
  actions.open(2, err_path, O_WRONLY | O_CREAT | O_TRUNC);
  actions.change_directory(directory);

  std::string program = (program_file().parent_path() / QW_CHECK_NAME).string();
  std::vector<char*> argv{program.data()};
  std::vector<std::string> copies(arguments);
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  std::vector<std::string> variables = child_environment(environment);
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);

  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), actions.get(), nullptr, argv.data(), envp.data()) != 0) {
    throw std::runtime_error("cannot start " + program);
  }
  CheckerRun run{wait_for(child), contents(out_path), contents(err_path)};
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return run;
}

}  // namespace qw_test
