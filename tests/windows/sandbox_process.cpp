// Anonymous pipes for the three standard handles. Only the child's ends are inherited, and this
// side closes its copies of them, so the sandbox sees the end of its input as soon as this side
// closes the input pipe.
#include "tests/windows/sandbox_process.h"

#include <stdexcept>

#include "tests/support/built_files.h"

namespace qw_windows {
namespace {

std::wstring wide(std::string_view utf8) {
  const int size = static_cast<int>(utf8.size());
  std::wstring out(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), static_cast<int>(out.size()));
  return out;
}

// Good for the arguments of these tests: none holds a quote or ends in a backslash.
std::wstring command_line(const std::vector<std::string>& arguments) {
  std::wstring line = L"quellwarden-sandbox";
  for (const std::string& argument : arguments) {
    line += L" \"" + wide(argument) + L"\"";
  }
  return line;
}

struct Pipe {
  HANDLE parent;
  HANDLE child;
};

// Only the child's end is inheritable; `child_reads` says which end that is.
Pipe make_pipe(bool child_reads) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inheritable, 0)) {
    throw std::runtime_error("CreatePipe failed: " + std::to_string(GetLastError()));
  }
  const Pipe pipe = child_reads ? Pipe{write_end, read_end} : Pipe{read_end, write_end};
  SetHandleInformation(pipe.parent, HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

}  // namespace

SandboxProcess::SandboxProcess(const std::vector<std::string>& arguments,
                               const std::filesystem::path& directory) {
  const Pipe input = make_pipe(true);
  const Pipe output = make_pipe(false);
  const Pipe errors = make_pipe(false);
  input_ = input.parent;

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.child;
  startup.hStdOutput = output.child;
  startup.hStdError = errors.child;
  PROCESS_INFORMATION started{};
  const std::wstring program =
      (qw_test::program_file().parent_path() / "quellwarden-sandbox.exe").wstring();
  std::wstring line = command_line(arguments);
  const BOOL created = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, directory.c_str(), &startup, &started);
  const DWORD error = GetLastError();
  for (const Pipe& pipe : {input, output, errors}) {
    CloseHandle(pipe.child);
  }
  if (!created) {
    for (const Pipe& pipe : {input, output, errors}) {
      CloseHandle(pipe.parent);
    }
    throw std::runtime_error("CreateProcessW failed: " + std::to_string(error));
  }
  CloseHandle(started.hThread);
  process_ = started.hProcess;
  output_reader_ = std::thread([this, from = output.parent] { collect(from, output_); });
  error_reader_ = std::thread([this, from = errors.parent] { collect(from, errors_); });
}

SandboxProcess::~SandboxProcess() {
  close_input();
  if (wait_exit(5s) < 0) {
    TerminateProcess(process_, 1);
  }
  output_reader_.join();
  error_reader_.join();
  CloseHandle(process_);
}

void SandboxProcess::collect(HANDLE pipe, std::string& into) {
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    const std::lock_guard lock(mutex_);
    into.append(chunk, got);
    changed_.notify_all();
  }
  CloseHandle(pipe);
  const std::lock_guard lock(mutex_);
  --pipes_open_;
  changed_.notify_all();
}

void SandboxProcess::send(std::string_view line) {
  const std::string bytes = std::string(line) + "\n";
  DWORD written = 0;
  WriteFile(input_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void SandboxProcess::close_input() {
  if (input_ != nullptr) {
    CloseHandle(input_);
    input_ = nullptr;
  }
}

std::string SandboxProcess::wait_for(std::string_view text, std::chrono::milliseconds timeout) {
  std::string line;
  const auto found = [&] {
    const std::size_t at = output_.find(text);
    const std::size_t end = output_.find("\r\n", at);
    if (at == std::string::npos || end == std::string::npos) {
      return false;
    }
    std::size_t start = output_.rfind('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    line = output_.substr(start, end - start);
    return true;
  };
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, found);
  return line;
}

int SandboxProcess::wait_exit(std::chrono::milliseconds timeout) {
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return -1;
  }
  {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return outputs_ended(); })) {
      return -1;
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

std::string SandboxProcess::output() {
  const std::lock_guard lock(mutex_);
  return output_;
}

std::string SandboxProcess::errors() {
  const std::lock_guard lock(mutex_);
  return errors_;
}

}  // namespace qw_windows
