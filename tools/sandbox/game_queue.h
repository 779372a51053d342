// The game thread's work queue: stdin lines and RCON requests arrive here from their own threads
// and run one at a time on the thread that drains it, as the game runs commands.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace quellwarden::sandbox {

class GameQueue {
 public:
  using Task = std::function<void()>;

  // Safe from any thread; never blocks for long, so the network thread can always hand over.
  void post(Task task);
  // Waits for the next task and removes it; the caller runs it.
  Task take();

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Task> tasks_;
};

}  // namespace quellwarden::sandbox
