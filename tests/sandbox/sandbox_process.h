// Runs quellwarden-sandbox as a user does: options, lines on standard input, standard output read
// back line by line as it appears. Log lines use UTC so their times are exact.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/support/config_text.h"

namespace qw_sandbox_test {

using namespace std::chrono_literals;

class SandboxProcess {
 public:
  explicit SandboxProcess(const std::vector<std::string>& arguments);
  SandboxProcess(const SandboxProcess&) = delete;
  SandboxProcess& operator=(const SandboxProcess&) = delete;
  ~SandboxProcess();

  void send(std::string_view line);
  void close_input();
  // The first line from `from` on that contains `text`, waiting for it; empty after the timeout.
  std::string wait_for(std::string_view text, std::size_t from = 0,
                       std::chrono::milliseconds timeout = 15s);
  // Waits until `count` lines from `from` on contain `text`; false after the timeout.
  bool wait_for_count(std::string_view text, std::size_t count, std::size_t from = 0,
                      std::chrono::milliseconds timeout = 15s);
  // Waits for the program to end: its exit status, or -1 when it did not end in time.
  int wait_exit(std::chrono::milliseconds timeout = 15s);
  std::vector<std::string> lines();
  std::string errors();

 private:
  void collect(int fd, bool is_output);

  pid_t pid_ = -1;
  int input_ = -1;
  int status_ = -1;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
  std::string errors_;
  bool output_ended_ = false;
  bool errors_ended_ = false;
  std::thread output_reader_;
  std::thread error_reader_;
};

struct Run {
  std::vector<std::string> lines;
  std::string errors;
  int status = -1;
};

// The whole script at once, input closed after it.
Run run_sandbox(const std::vector<std::string>& arguments, std::string_view script);

// The configuration most tests use (qw_test::standard_config()): wiped at 1700000000 (11/14/23
// 22:13 UTC); Rex tamed after 24 hours and ridden after 48, Giga tamed after 72.
inline const std::string kConfig = qw_test::standard_config();

}  // namespace qw_sandbox_test
