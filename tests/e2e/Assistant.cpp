#include "Assistant.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace fs = std::filesystem;

Assistant::Assistant(const fs::path& executable, const fs::path& folder, const std::string& product,
                     const std::string& display)
    : log_(folder / "assistant.log") {
  const fs::path program = folder / (product + "_setup");
  fs::copy_file(executable, program, fs::copy_options::overwrite_existing);
  const std::string programName = program.string();
  const std::string folderName = folder.string();
  const std::string logName = log_.string();

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // The program reads nothing from its command line; the display is all it needs.
    const int out = ::open(logName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
      ::dup2(out, STDOUT_FILENO);
      ::dup2(out, STDERR_FILENO);
    }
    if (::chdir(folderName.c_str()) != 0) ::_exit(126);
    ::setenv("DISPLAY", display.c_str(), 1);
    ::execl(programName.c_str(), programName.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
}

Assistant::~Assistant() {
  if (Running()) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

bool Assistant::Running() {
  if (ended_ || pid_ <= 0) return false;
  if (::waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
  return !ended_;
}

std::optional<int> Assistant::WaitForExit(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (Running()) {
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!ended_ || !WIFEXITED(status_)) return std::nullopt;
  return WEXITSTATUS(status_);
}

std::string Assistant::Output() const {
  std::ifstream in(log_);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace e2e
