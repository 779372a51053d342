// A plain mutex-and-condition queue: the game thread is its only consumer.
#include "tools/sandbox/game_queue.h"

namespace quellwarden::sandbox {

void GameQueue::post(Task task) {
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  ready_.notify_one();
}

GameQueue::Task GameQueue::take() {
  std::unique_lock lock(mutex_);
  ready_.wait(lock, [this] { return !tasks_.empty(); });
  Task task = std::move(tasks_.front());
  tasks_.pop_front();
  return task;
}

}  // namespace quellwarden::sandbox
