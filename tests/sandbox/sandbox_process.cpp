// posix_spawn with three pipes; one thread per output pipe so the sandbox never blocks on writing.
#include "tests/sandbox/sandbox_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace qw_sandbox_test {
namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
  }
}

std::vector<std::string> environment() {
  std::vector<std::string> out;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::strncmp(*entry, "TZ=", 3) != 0) {
      out.emplace_back(*entry);
    }
  }
  out.emplace_back("TZ=UTC");
  return out;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (std::string& text : texts) {
    out.push_back(text.data());
  }
  out.push_back(nullptr);
  return out;
}

}  // namespace

SandboxProcess::SandboxProcess(const std::vector<std::string>& arguments) {
  ::signal(SIGPIPE, SIG_IGN);  // writing to a sandbox that has ended must fail, not kill the test
  int input[2];
  int output[2];
  int errors[2];
  check(::pipe2(input, O_CLOEXEC) == 0 && ::pipe2(output, O_CLOEXEC) == 0 &&
            ::pipe2(errors, O_CLOEXEC) == 0,
        "pipe2");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
  std::vector<std::string> argv_texts{QW_SANDBOX_PATH};
  argv_texts.insert(argv_texts.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env_texts = environment();
  auto argv = pointers(argv_texts);
  auto envp = pointers(env_texts);
  const int spawned =
      posix_spawn(&pid_, QW_SANDBOX_PATH, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(input[0]);
  ::close(output[1]);
  ::close(errors[1]);
  errno = spawned;
  check(spawned == 0, "posix_spawn");
  input_ = input[1];
  output_reader_ = std::thread([this, fd = output[0]] { collect(fd, true); });
  error_reader_ = std::thread([this, fd = errors[0]] { collect(fd, false); });
}

SandboxProcess::~SandboxProcess() {
  close_input();
  if (wait_exit() == -1) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  output_reader_.join();
  error_reader_.join();
}

void SandboxProcess::collect(int fd, bool is_output) {
  std::string pending;
  std::array<char, 65536> chunk{};
  ssize_t got = 0;
  while ((got = ::read(fd, chunk.data(), chunk.size())) != 0) {
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      break;
    }
    const std::lock_guard lock(mutex_);
    if (!is_output) {
      errors_.append(chunk.data(), static_cast<std::size_t>(got));
      continue;
    }
    pending.append(chunk.data(), static_cast<std::size_t>(got));
    std::size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
      lines_.push_back(pending.substr(0, end));
      pending.erase(0, end + 1);
    }
    changed_.notify_all();
  }
  ::close(fd);
  const std::lock_guard lock(mutex_);
  if (is_output) {
    if (!pending.empty()) {
      lines_.push_back(pending);
    }
    output_ended_ = true;
  } else {
    errors_ended_ = true;
  }
  changed_.notify_all();
}

void SandboxProcess::send(std::string_view line) {
  std::string text(line);
  text += '\n';
  std::size_t sent = 0;
  while (input_ >= 0 && sent < text.size()) {
    const ssize_t wrote = ::write(input_, text.data() + sent, text.size() - sent);
    if (wrote <= 0) {
      return;
    }
    sent += static_cast<std::size_t>(wrote);
  }
}

void SandboxProcess::close_input() {
  if (input_ >= 0) {
    ::close(input_);
    input_ = -1;
  }
}

std::string SandboxProcess::wait_for(std::string_view text, std::size_t from,
                                     std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  std::string found;
  changed_.wait_for(lock, timeout, [&] {
    for (std::size_t at = from; at < lines_.size(); ++at) {
      if (lines_[at].find(text) != std::string::npos) {
        found = lines_[at];
        return true;
      }
    }
    return output_ended_;
  });
  return found;
}

bool SandboxProcess::wait_for_count(std::string_view text, std::size_t count, std::size_t from,
                                    std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] {
    std::size_t seen = 0;
    for (std::size_t at = from; at < lines_.size(); ++at) {
      seen += lines_[at].find(text) != std::string::npos ? 1U : 0U;
    }
    return seen >= count;
  });
}

int SandboxProcess::wait_exit(std::chrono::milliseconds timeout) {
  if (status_ != -1) {
    return status_;
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      // The output is complete only once the readers have seen the pipes close.
      std::unique_lock lock(mutex_);
      changed_.wait_for(lock, timeout, [this] { return output_ended_ && errors_ended_; });
      return status_;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      return -1;
    }
    std::this_thread::sleep_for(5ms);
  }
}

std::vector<std::string> SandboxProcess::lines() {
  const std::lock_guard lock(mutex_);
  return lines_;
}

std::string SandboxProcess::errors() {
  const std::lock_guard lock(mutex_);
  return errors_;
}

Run run_sandbox(const std::vector<std::string>& arguments, std::string_view script) {
  SandboxProcess sandbox(arguments);
  sandbox.send(script);
  sandbox.close_input();
  Run run;
  run.status = sandbox.wait_exit();
  run.lines = sandbox.lines();
  run.errors = sandbox.errors();
  return run;
}

}  // namespace qw_sandbox_test
