// Runs a job on a worker thread while the callbacks it makes run on the calling thread.
//
// The caller is usually a GUI thread that repaints inside our report callback, so callbacks
// must come back to it; the work itself runs elsewhere so that it can have a current folder
// of its own (see WorkFolder.h) without touching the caller's.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace unz {

class CallerBridge {
 public:
  // Runs `work` on a new thread and, until it ends, runs on this thread whatever the work
  // hands over through Call(). `work` must not throw.
  int Run(const std::function<int()>& work);

  // From the worker or any thread it starts: runs `fn` on the calling thread, one call at a
  // time, and waits for it. `fn` must not throw.
  void Call(const std::function<void()>& fn);

 private:
  struct Request {
    const std::function<void()>* fn;
    bool done = false;
  };

  std::mutex mutex_;
  std::condition_variable changed_;
  Request* pending_ = nullptr;
  bool finished_ = false;
};

}  // namespace unz
