#include "CallerBridge.h"

#include <thread>

namespace unz {

int CallerBridge::Run(const std::function<int()>& work) {
  int result = -1;
  std::thread worker([&] {
    int r = -1;
    try {
      r = work();
    } catch (...) {  // an exception must not end the process from a worker thread
    }
    std::lock_guard lock(mutex_);
    result = r;
    finished_ = true;
    changed_.notify_all();
  });
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return pending_ != nullptr || finished_; });
    if (pending_ == nullptr) break;
    const std::function<void()>* fn = pending_;
    lock.unlock();
    (*fn)();
    lock.lock();
    pending_ = nullptr;
    changed_.notify_all();
  }
  lock.unlock();
  worker.join();
  return result;
}

void CallerBridge::Call(const std::function<void()>& fn) {
  std::unique_lock lock(mutex_);
  pending_ = &fn;
  changed_.notify_all();
  changed_.wait(lock, [&] { return pending_ == nullptr; });
}

}  // namespace unz
