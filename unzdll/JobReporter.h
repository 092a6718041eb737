// The job's callbacks as the extraction sees them: every call goes over to the caller's
// thread, and a caller that asked to stop is remembered. Usable from several threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "CallerBridge.h"
#include "zip/unzdll_abi.h"

namespace unz {

class JobReporter {
 public:
  // `bridge` may be null: callbacks then run on the current thread.
  JobReporter(const UnzJob& job, CallerBridge* bridge) : job_(job), bridge_(bridge) {}

  void Report(int kind, const std::string& entry, const std::string& message, int64_t bytes);
  // The password for an encrypted entry, or nullopt when the caller has none.
  std::optional<std::string> AskPassword(const std::string& entry);
  bool StopRequested() const { return stop_; }

 private:
  void OnCaller(const std::function<void()>& fn);

  const UnzJob& job_;
  CallerBridge* bridge_;
  std::atomic<bool> stop_ = false;
};

}  // namespace unz
