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
    Request* request = pending_;
    lock.unlock();
    (*request->fn)();
    lock.lock();
    request->done = true;
    pending_ = nullptr;
    changed_.notify_all();
  }
  lock.unlock();
  worker.join();
  return result;
}

void CallerBridge::Call(const std::function<void()>& fn) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return pending_ == nullptr; });
  Request request{&fn};
  pending_ = &request;
  changed_.notify_all();
  changed_.wait(lock, [&] { return request.done; });
}

}  // namespace unz
