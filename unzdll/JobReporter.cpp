#include "JobReporter.h"

#include <vector>

namespace unz {

void JobReporter::OnCaller(const std::function<void()>& fn) {
  if (bridge_ != nullptr) {
    bridge_->Call(fn);
  } else {
    fn();
  }
}

void JobReporter::Report(int kind, const std::string& entry, const std::string& message,
                         int64_t bytes) {
  if (job_.report == nullptr) return;
  OnCaller([&] {
    if (job_.report(job_.user, kind, entry.c_str(), message.c_str(), bytes) != 0) stop_ = true;
  });
}

std::optional<std::string> JobReporter::AskPassword(const std::string& entry) {
  if (job_.password == nullptr || stop_) return std::nullopt;
  std::vector<char> buf(1024, '\0');
  int answered = 0;
  OnCaller([&] { answered = job_.password(job_.user, entry.c_str(), buf.data(), buf.size()); });
  if (answered == 0) return std::nullopt;
  buf.back() = '\0';
  return std::string(buf.data());
}

}  // namespace unz
