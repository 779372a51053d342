// Runs quellwarden-sandbox.exe as a Windows user does: a command line, lines written to its
// standard input pipe, and its standard output kept as the raw bytes it wrote.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace qw_windows {

using namespace std::chrono_literals;

class SandboxProcess {
 public:
  // Starts the sandbox built beside this program in `directory`, its command line naming it
  // without a path, as when it is found on PATH; `arguments` are UTF-8.
  SandboxProcess(const std::vector<std::string>& arguments, const std::filesystem::path& directory);
  SandboxProcess(const SandboxProcess&) = delete;
  SandboxProcess& operator=(const SandboxProcess&) = delete;
  // Ends the program if it still runs.
  ~SandboxProcess();

  void send(std::string_view line);
  void close_input();
  // The first whole line of output that holds `text`, without its line end, waiting for it;
  // empty after the timeout.
  std::string wait_for(std::string_view text, std::chrono::milliseconds timeout = 10s);
  // Waits for the program to end and for all it wrote: its exit code, or -1 when it did not end
  // in time.
  int wait_exit(std::chrono::milliseconds timeout = 10s);
  std::string output();
  std::string errors();

 private:
  void collect(HANDLE pipe, std::string& into);
  bool outputs_ended() const { return pipes_open_ == 0; }

  HANDLE process_ = nullptr;
  HANDLE input_ = nullptr;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string output_;
  std::string errors_;
  int pipes_open_ = 2;
  std::thread output_reader_;
  std::thread error_reader_;
};

}  // namespace qw_windows
