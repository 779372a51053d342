// CreateProcessW with a UTF-16 command line, as a shell starts a program, and the two output
// streams sent to files: no pipe to drain, so a program that prints a lot cannot stall the test.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "tests/check/checker_process.h"
#include "tests/support/built_files.h"
#include "text/utf8_path.h"

namespace qw_test {
namespace {

std::wstring wide(const std::string& utf8) { return quellwarden::path_of_utf8(utf8).wstring(); }

// The quoting that the C runtime and CommandLineToArgvW undo: backslashes are doubled only where
// a quote follows them.
std::wstring quoted_argument(std::wstring_view argument) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t character : argument) {
    if (character == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(character == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    out += character;
    backslashes = 0;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}

class InheritedFile {
 public:
  InheritedFile(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    handle_ = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                          disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
      throw std::runtime_error("cannot open " + utf8(path) + ": " + std::to_string(GetLastError()));
    }
  }
  InheritedFile(const InheritedFile&) = delete;
  InheritedFile& operator=(const InheritedFile&) = delete;
  ~InheritedFile() { CloseHandle(handle_); }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

int wait_for(HANDLE process) {
  DWORD code = 0;
  if (WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process, &code)) {
    throw std::runtime_error("cannot wait for the checker");
  }
  // Exit codes of a crash are NTSTATUS values such as 0xC0000005.
  return code > 255 ? -1 : static_cast<int>(code);
}

// CR LF becomes "\n"; a line end without its CR is noted.
std::string from_system_lines(const std::string& text, bool& system_line_ends) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
    if (text[at] == '\n' && (at == 0 || text[at - 1] != '\r')) system_line_ends = false;
    out += text[at];
  }
  return out;
}

std::string contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// This process's variables less those `settings` set, then `settings`, as a block for
// CreateProcessW: each ends in NUL, and one more ends the block.
std::wstring child_environment(const std::vector<std::string>& settings) {
  std::vector<std::wstring> wide_settings;
  for (const std::string& setting : settings) wide_settings.push_back(wide(setting));
  std::wstring block;
  wchar_t* const strings = GetEnvironmentStringsW();
  for (const wchar_t* variable = strings; *variable != L'\0'; variable += wcslen(variable) + 1) {
    const std::wstring_view given(variable);
    const bool replaced =
        std::any_of(wide_settings.begin(), wide_settings.end(), [&](const auto& setting) {
          const std::size_t name = setting.find(L'=') + 1;
          return given.size() >= name && _wcsnicmp(given.data(), setting.data(), name) == 0;
        });
    if (!replaced) block.append(given).push_back(L'\0');
  }
  FreeEnvironmentStringsW(strings);
  for (const std::wstring& setting : wide_settings) block.append(setting).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

}  // namespace

CheckerRun run_checker(const std::vector<std::string>& arguments,
                       const std::filesystem::path& directory,
                       const std::vector<std::string>& environment) {
  const std::filesystem::path out_path = directory / ".checker-stdout";
  const std::filesystem::path err_path = directory / ".checker-stderr";
  const std::filesystem::path program = program_file().parent_path() / QW_CHECK_NAME;
  std::wstring line = quoted_argument(program.wstring());
  for (const std::string& argument : arguments) line += L" " + quoted_argument(wide(argument));
  PROCESS_INFORMATION started{};
  {
    const InheritedFile input("NUL", GENERIC_READ, OPEN_EXISTING);
    const InheritedFile output(out_path, GENERIC_WRITE, CREATE_ALWAYS);
    const InheritedFile errors(err_path, GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = errors.get();
    std::wstring variables = child_environment(environment);
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                        CREATE_UNICODE_ENVIRONMENT, variables.data(), directory.c_str(), &startup,
                        &started)) {
      throw std::runtime_error("cannot start " + utf8(program) + ": " +
                               std::to_string(GetLastError()));
    }
  }
  CloseHandle(started.hThread);
  CheckerRun run;
  run.exit_status = wait_for(started.hProcess);
  CloseHandle(started.hProcess);
  run.out = from_system_lines(contents(out_path), run.system_line_ends);
  run.err = from_system_lines(contents(err_path), run.system_line_ends);
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return run;
}

}  // namespace qw_test
