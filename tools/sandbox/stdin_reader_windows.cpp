// A thread blocked in ReadFile on the standard input handle. No way of waking such a read works
// everywhere: under Wine neither CancelSynchronousIo (it answers "not found" for a pipe) nor
// closing the handle ends it. So stopping only silences the thread; it stays blocked, holding its
// own share of the state, until the process ends, which is what follows the reader's end in the
// sandbox. A console is waited on a little at a time instead, so that a stopped reader leaves the
// console's next line to the window's own wait for Enter (tools/program).
#include <windows.h>

#include <array>
#include <mutex>
#include <string_view>

#include "tools/sandbox/line_splitter.h"
#include "tools/sandbox/stdin_reader.h"

namespace quellwarden::sandbox {

struct StdinReader::Reader {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::mutex mutex;  // held while a handler runs, so none runs once `stopped` is set
  bool stopped = false;
  LineHandler on_line;
  EndHandler on_end;

  void run();
  // True when the console has input to read; false once stopped.
  bool console_input_arrives();
  // False once stopped.
  bool deliver(std::string_view bytes, LineSplitter& lines);
  void end(LineSplitter& lines);
};

StdinReader::StdinReader(LineHandler on_line, EndHandler on_end)
    : reader_(std::make_shared<Reader>()) {
  reader_->on_line = std::move(on_line);
  reader_->on_end = std::move(on_end);
  thread_ = std::thread([reader = reader_] { reader->run(); });
}

StdinReader::~StdinReader() {
  {
    const std::lock_guard lock(reader_->mutex);
    reader_->stopped = true;
  }
  thread_.detach();
}

void StdinReader::Reader::run() {
  LineSplitter lines;
  std::array<char, 4096> chunk{};
  DWORD mode = 0;
  const bool console = GetConsoleMode(input, &mode) != 0;
  for (;;) {
    if (console && !console_input_arrives()) {
      return;
    }
    DWORD got = 0;
    // A pipe's writer gone, a file's end and Ctrl+Z on a console all end the input; so does an
    // unusable handle, as when the program was started without one.
    if (!ReadFile(input, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) ||
        got == 0) {
      break;
    }
    if (!deliver({chunk.data(), got}, lines)) {
      return;
    }
  }
  end(lines);
}

bool StdinReader::Reader::console_input_arrives() {
  constexpr DWORD kLookForStopMs = 100;
  while (WaitForSingleObject(input, kLookForStopMs) == WAIT_TIMEOUT) {
    const std::lock_guard lock(mutex);
    if (stopped) {
      return false;
    }
  }
  const std::lock_guard lock(mutex);
  return !stopped;
}

bool StdinReader::Reader::deliver(std::string_view bytes, LineSplitter& lines) {
  const std::lock_guard lock(mutex);
  if (stopped) {
    return false;
  }
  lines.feed(bytes, on_line);
  return true;
}

void StdinReader::Reader::end(LineSplitter& lines) {
  const std::lock_guard lock(mutex);
  if (!stopped) {
    lines.finish(on_line);
    on_end();
  }
}

}  // namespace quellwarden::sandbox
