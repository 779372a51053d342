// The console the checker prints to: one that shows UTF-8 while the checker runs.
#pragma once

namespace quellwarden::check {

// While it lives, a console shows the program's output as UTF-8; at its end the console gets back
// the code page it had, so the shell that started the checker is left as it was.
class Utf8Console {
 public:
  Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;
  ~Utf8Console();

 private:
  // 0: nothing to give back; systems whose terminals take UTF-8 as they are never set one.
  [[maybe_unused]] unsigned previous_code_page_ = 0;
};

}  // namespace quellwarden::check
