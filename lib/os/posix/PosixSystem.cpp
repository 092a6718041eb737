#include "os/posix/PosixSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "os/CommandLine.h"

namespace os {
namespace fs = std::filesystem;

PosixSystem::PosixSystem(PathMap drives, std::string windowsDirectory, std::string programFile)
    : map_(std::move(drives)),
      windowsDirectory_(std::move(windowsDirectory)),
      programFile_(std::move(programFile)) {}

std::string PosixSystem::HostPath(const std::string& path) {
  const bool relative = !(path.size() >= 2 && path[1] == ':') &&
                        (path.empty() || (path[0] != '\\' && path[0] != '/'));
  if (relative) {
    // Resolved against the current folder here, so ".." cannot climb out of a drive.
    const std::string current = CurrentDirectory();
    if (current.size() >= 2 && current[1] == ':') {
      return map_.ToHost(path.empty() ? current : current + "\\" + path, current[0]);
    }
  }
  return map_.ToHost(path, CurrentDrive());
}

char PosixSystem::CurrentDrive() {
  const std::string current = CurrentDirectory();
  return current.size() >= 2 && current[1] == ':' ? current[0] : 'C';
}

std::string PosixSystem::ProgramPath() {
  if (!programFile_.empty()) return map_.ToWindows(programFile_);
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : map_.ToWindows(self.string());
}

bool PosixSystem::DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixSystem::CreateDirectory(const std::string& path) {
  return ::mkdir(HostPath(path).c_str(), 0777) == 0;
}

bool PosixSystem::SetCurrentDirectory(const std::string& path) {
  return ::chdir(HostPath(path).c_str()) == 0;
}

std::string PosixSystem::CurrentDirectory() {
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  return ec ? std::string() : map_.ToWindows(current.string());
}

std::optional<std::int64_t> PosixSystem::FileSize(const std::string& path) {
  const int fd = ::open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  if (!ok) return std::nullopt;
  return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::string> PosixSystem::ReadFile(const std::string& path) {
  const std::string host = HostPath(path);
  struct stat st {};
  if (::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  std::ifstream in(host, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool PosixSystem::CopyFile(const std::string& from, const std::string& to, bool failIfExists) {
  std::error_code ec;
  const auto options = failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
  return fs::copy_file(HostPath(from), HostPath(to), options, ec) && !ec;
}

bool PosixSystem::DeleteFile(const std::string& path) {
  return ::unlink(HostPath(path).c_str()) == 0;
}

bool PosixSystem::OpenProgram(const std::string& file, const std::string& parameters,
                              const std::string& workingDirectory) {
  const std::string program = HostPath(file);
  const std::string folder = HostPath(workingDirectory);
  if (::access(program.c_str(), X_OK) != 0) return false;

  // Everything the child needs is prepared before fork: after it, only calls that are safe
  // in a child of a threaded process.
  std::vector<std::string> args = SplitCommandLine(parameters);
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    // The installer outlives the assistant: detach it through a second fork so it is
    // nobody's zombie, and tell the parent through the pipe when exec fails.
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
    int error = 0;
    if (::chdir(folder.c_str()) != 0) {
      error = errno;
    } else {
      ::execv(program.c_str(), argv.data());
      error = errno;
    }
    [[maybe_unused]] auto written = ::write(report[1], &error, sizeof error);
    ::_exit(127);
  }
  ::close(report[1]);
  // Waits only until the installer has been exec'd (or failed to be), not for it to finish;
  // a working folder on a hung network mount would hold the window until chdir gives up.
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  return got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<Drive> PosixSystem::Drives() {
  std::vector<Drive> drives;
  for (const auto& mapping : map_.Drives()) {
    drives.push_back({mapping.letter, mapping.kind, mapping.label});
  }
  return drives;
}

std::vector<std::string> PosixSystem::SubFolders(const std::string& path) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(HostPath(path), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;  // hidden on POSIX
    std::error_code typeError;
    if (it->is_directory(typeError)) names.push_back(name);
  }
  return names;
}

ClockReading PosixSystem::Now() {
  timespec ts{};
  ::clock_gettime(CLOCK_REALTIME, &ts);
  std::tm local{};
  ::localtime_r(&ts.tv_sec, &local);
  return {local.tm_sec % 60, static_cast<int>(ts.tv_nsec / 1000000)};
}

void PosixSystem::Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace os
