#include "Extractor.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "EntryPath.h"
#include "SpecMatcher.h"
#include "ThreadLocale.h"
#include "WorkFolder.h"

namespace unz {
namespace {

constexpr size_t kReadBlockBytes = size_t{1} << 20;  // few, large reads
constexpr int64_t kProgressStepBytes = int64_t{8} << 20;
constexpr int kPasswordTries = 3;  // per entry; libarchive asks again after a wrong one
// Inflating and checking CRCs is what takes the time; a second reader of the same archive
// takes the entries below some of the top-level names, so both cores work on a large package.
constexpr int kLanes = 2;

// Korean Windows zip tools store names in code page 949 without the UTF-8 flag; names that
// carry the flag are read as UTF-8 whatever this says.
constexpr const char* kLegacyNameCharset = "CP949";

const char* ErrorText(archive* a) {
  const char* text = archive_error_string(a);
  return text != nullptr ? text : "unknown error";
}

class Extraction {
 public:
  Extraction(const UnzJob& job, JobReporter& reporter, int lane, std::string archivePath)
      : job_(job),
        reporter_(reporter),
        specs_(job.specs, job.spec_count),
        lane_(lane),
        archivePath_(std::move(archivePath)) {}
  ~Extraction() {
    if (out_ != nullptr) archive_write_free(out_);
    if (in_ != nullptr) archive_read_free(in_);
  }
  Extraction(const Extraction&) = delete;
  Extraction& operator=(const Extraction&) = delete;

  // Opens the archive; a lane other than the first stays quiet when that fails.
  bool Open();
  void SetLanes(int lanes) { lanes_ = lanes; }
  bool PrepareWriter(const std::string& prefix);
  // Extracts the entries of this lane; returns the number of files extracted.
  int Loop();
  // Sets the modes and times of the folders made, so only after every lane has written.
  void Close();
  // Gives the archive's folders their stored modes. The other lane may have made a folder
  // first, as the parent of a file, with the default mode; the disk writer keeps an existing
  // folder's mode, so this comes last, after both lanes have closed.
  void SetFolderModes(mode_t umaskBits);

 private:
  bool Owns(archive_entry* entry) const;
  void Entry(archive_entry* entry);
  bool ThroughLink(const std::string& relative) const;
  void Refuse(const std::string& entry, const std::string& why) {
    reporter_.Report(UNZ_REPORT_SKIPPED, entry, why, 0);
  }
  void Problem(const std::string& entry, const std::string& what) {
    reporter_.Report(UNZ_REPORT_ERROR, entry, what, 0);
  }
  static const char* Passphrase(archive*, void* self) noexcept;

  const UnzJob& job_;
  JobReporter& reporter_;
  SpecMatcher specs_;
  int lane_;
  int lanes_ = 1;
  std::string archivePath_;
  archive* in_ = nullptr;
  archive* out_ = nullptr;
  std::string prefix_;  // see WorkFolder
  bool fatal_ = false;
  int extracted_ = 0;
  std::string currentEntry_;
  int passwordTries_ = 0;
  std::string password_;  // libarchive copies it; kept until the next ask
  std::vector<std::pair<std::string, mode_t>> folderModes_;  // disk path, stored permissions
};

const char* Extraction::Passphrase(archive*, void* self) noexcept {
  auto* x = static_cast<Extraction*>(self);
  try {
    if (x->passwordTries_ >= kPasswordTries) return nullptr;
    ++x->passwordTries_;
    std::optional<std::string> answer = x->reporter_.AskPassword(x->currentEntry_);
    if (!answer) {
      x->passwordTries_ = kPasswordTries;  // the caller has none: do not ask again
      return nullptr;
    }
    x->password_ = *answer;
    return x->password_.c_str();
  } catch (...) {
    return nullptr;
  }
}

bool Extraction::Open() {
  in_ = archive_read_new();
  if (in_ == nullptr) return false;
  archive_read_support_format_zip(in_);
  archive_read_support_filter_none(in_);
  archive_read_set_format_option(in_, "zip", "hdrcharset", kLegacyNameCharset);
  archive_read_set_passphrase_callback(in_, this, &Extraction::Passphrase);
  if (archive_read_open_filename(in_, archivePath_.c_str(), kReadBlockBytes) != ARCHIVE_OK) {
    if (lane_ == 0) {
      Problem(job_.archive, std::string("cannot open the archive: ") + ErrorText(in_));
    }
    return false;
  }
  return true;
}

bool Extraction::PrepareWriter(const std::string& prefix) {
  prefix_ = prefix;
  int flags =
      ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_SECURE_NODOTDOT | ARCHIVE_EXTRACT_SECURE_SYMLINKS;
  // Absolute paths only appear when we had to fall back to them ourselves.
  if (prefix_.empty()) flags |= ARCHIVE_EXTRACT_SECURE_NOABSOLUTEPATHS;
  // Unlinking first replaces read-only files and never writes through a hard or soft link.
  if (job_.overwrite != 0) flags |= ARCHIVE_EXTRACT_UNLINK;
  out_ = archive_write_disk_new();
  if (out_ == nullptr) return false;
  archive_write_disk_set_options(out_, flags);
  return true;
}

bool Extraction::ThroughLink(const std::string& relative) const {
  for (size_t slash = relative.find('/'); slash != std::string::npos;
       slash = relative.find('/', slash + 1)) {
    struct stat st {};
    if (lstat((prefix_ + relative.substr(0, slash)).c_str(), &st) != 0) return false;
    if (S_ISLNK(st.st_mode)) return true;
  }
  return false;
}

void Extraction::Entry(archive_entry* entry) {
  const char* stored = archive_entry_pathname(entry);
  const std::string name = stored != nullptr ? stored : "";
  const EntryPath path = CleanEntryPath(name);
  if (!path.ok) return Refuse(name, "refused: " + path.why);

  const mode_t type = archive_entry_filetype(entry);
  const bool isDir = type == AE_IFDIR;
  std::string relative = path.relative;
  if (job_.dir_names == 0) {
    if (isDir) return;
    relative = relative.substr(relative.rfind('/') + 1);  // npos + 1 == 0
  }
  if (!specs_.Matches(relative)) return;

  if (type != AE_IFREG && !isDir && type != AE_IFLNK) {
    return Refuse(relative, "refused: not a file, folder or link");
  }
  if (archive_entry_hardlink(entry) != nullptr) return Refuse(relative, "refused: hard link");
  if (type == AE_IFLNK) {
    const char* target = archive_entry_symlink(entry);
    if (target == nullptr || !LinkStaysInside(relative, target)) {
      return Refuse(relative, std::string("refused: link points outside the target folder: ") +
                                  (target != nullptr ? target : ""));
    }
  }
  if (ThroughLink(relative)) return Refuse(relative, "refused: path goes through a link");

  const std::string diskPath = prefix_ + relative;
  // For a longer path the disk writer changes the current folder step by step, and that
  // folder is shared by both lanes: the other lane's files would land in the deep folder.
  if (diskPath.size() >= PATH_MAX) return Refuse(relative, "refused: name too long");
  struct stat existing {};
  if (job_.overwrite == 0 && !isDir && lstat(diskPath.c_str(), &existing) == 0) {
    reporter_.Report(UNZ_REPORT_KEPT, relative, "kept the existing file", 0);
    return;
  }

  // Read before creating anything: a missing or wrong password shows up here, and must not
  // leave an empty file of full size behind.
  currentEntry_ = relative;
  passwordTries_ = 0;
  const void* block = nullptr;
  size_t size = 0;
  la_int64_t offset = 0;
  int r = type == AE_IFREG ? archive_read_data_block(in_, &block, &size, &offset) : ARCHIVE_EOF;
  if (r != ARCHIVE_OK && r != ARCHIVE_EOF) {
    fatal_ = r == ARCHIVE_FATAL;
    return Refuse(relative, ErrorText(in_));
  }

  archive_entry_set_pathname(entry, diskPath.c_str());
  const int header = archive_write_header(out_, entry);
  if (header < ARCHIVE_WARN) {
    return Refuse(relative, std::string("cannot create: ") + ErrorText(out_));
  }
  if (header == ARCHIVE_WARN) Problem(relative, ErrorText(out_));

  std::string failure;
  int64_t written = 0;
  int64_t nextProgress = kProgressStepBytes;
  while (r == ARCHIVE_OK) {
    if (archive_write_data_block(out_, block, size, offset) != ARCHIVE_OK) {
      failure = std::string("cannot write: ") + ErrorText(out_);
      break;
    }
    written += static_cast<int64_t>(size);
    if (written >= nextProgress) {
      reporter_.Report(UNZ_REPORT_PROGRESS, relative, "", written);
      nextProgress += kProgressStepBytes;
    }
    r = archive_read_data_block(in_, &block, &size, &offset);
    if (r != ARCHIVE_OK && r != ARCHIVE_EOF) {
      failure = ErrorText(in_);  // a bad CRC (wrong password, damage) ends here too
      fatal_ = r == ARCHIVE_FATAL;
    }
  }
  const int finish = archive_write_finish_entry(out_);
  if (failure.empty() && finish < ARCHIVE_WARN) failure = ErrorText(out_);
  if (!failure.empty()) {
    if (type == AE_IFREG) unlink(diskPath.c_str());  // a partial file is worse than none
    return Refuse(relative, failure);
  }
  if (finish == ARCHIVE_WARN) Problem(relative, ErrorText(out_));
  if (isDir) folderModes_.emplace_back(diskPath, archive_entry_perm(entry));
  if (!isDir) ++extracted_;
  reporter_.Report(UNZ_REPORT_ENTRY, relative, "", written);
}

// Entries that land in the same top-level file or folder go to the same lane, so the archive's
// order decides between them: a later duplicate replaces an earlier one, and a file and a
// folder of one name meet in order (two lanes writing one path race, and the loser's cleanup
// could even delete the winner's file). Entries that write nothing (refused names, other
// types, hard links) stay in the first lane, so refusals keep their order in the reports.
bool Extraction::Owns(archive_entry* entry) const {
  if (lanes_ == 1) return true;
  const char* name = archive_entry_pathname(entry);
  const mode_t type = archive_entry_filetype(entry);
  const bool writes = (type == AE_IFREG || type == AE_IFDIR || type == AE_IFLNK) &&
                      archive_entry_hardlink(entry) == nullptr && name != nullptr;
  if (!writes) return lane_ == 0;
  const EntryPath path = CleanEntryPath(name);
  if (!path.ok) return lane_ == 0;
  // The name it gets on disk: without folder names only the last part is kept.
  std::string_view onDisk = path.relative;
  if (job_.dir_names == 0) onDisk.remove_prefix(onDisk.rfind('/') + 1);  // npos + 1 == 0
  const std::string_view top = onDisk.substr(0, onDisk.find('/'));
  const auto lane =
      static_cast<int>(std::hash<std::string_view>{}(top) % static_cast<size_t>(lanes_));
  return lane == lane_;
}

int Extraction::Loop() {
  while (!fatal_ && !reporter_.StopRequested()) {
    archive_entry* entry = nullptr;
    const int r = archive_read_next_header(in_, &entry);
    if (r == ARCHIVE_EOF) break;
    if (r == ARCHIVE_RETRY) continue;
    if (r < ARCHIVE_WARN) {
      if (lane_ == 0) {
        Problem(entry != nullptr && archive_entry_pathname(entry) != nullptr
                    ? archive_entry_pathname(entry)
                    : job_.archive,
                ErrorText(in_));
      }
      if (r == ARCHIVE_FATAL) break;
      continue;
    }
    if (!Owns(entry)) continue;
    // A name that could not be decoded still comes out, with the undecodable bytes replaced.
    if (r == ARCHIVE_WARN) {
      const char* name = archive_entry_pathname(entry);
      Problem(name != nullptr ? name : "", ErrorText(in_));
    }
    Entry(entry);
  }
  return extracted_;
}

void Extraction::Close() {
  if (archive_write_close(out_) != ARCHIVE_OK) Problem(job_.base_dir, ErrorText(out_));
}

void Extraction::SetFolderModes(mode_t umaskBits) {
  for (const auto& [path, perm] : folderModes_) {
    // Opened without following a link, so a link put in a folder's place is never changed.
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    if (fchmod(fd, perm & ~umaskBits & 07777) != 0) Problem(path, "cannot set the folder's mode");
    close(fd);
  }
}

// The archive's absolute path, so that lanes opened later do not depend on the current folder.
std::string AbsolutePath(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) != nullptr ? std::string(resolved) : std::string(path);
}

// The process's file-creation mask. Reading it means setting it for a moment; the disk
// writer reads it the same way when it is made.
mode_t ProcessUmask() {
  const mode_t bits = umask(022);
  umask(bits);
  return bits;
}

int RunLanes(const UnzJob& job, JobReporter& reporter) {
  const std::string archivePath = AbsolutePath(job.archive);
  Extraction first(job, reporter, 0, archivePath);
  Extraction second(job, reporter, 1, archivePath);
  if (!first.Open()) return -1;
  const bool parallel = second.Open();
  first.SetLanes(parallel ? kLanes : 1);
  second.SetLanes(kLanes);

  const WorkFolder folder = EnterWorkFolder(job.base_dir);
  if (!folder.ok) {
    reporter.Report(UNZ_REPORT_ERROR, job.base_dir, folder.error, 0);
    return -1;
  }
  if (!first.PrepareWriter(folder.prefix) || (parallel && !second.PrepareWriter(folder.prefix))) {
    reporter.Report(UNZ_REPORT_ERROR, job.base_dir, "out of memory", 0);
    return -1;
  }
  int secondCount = 0;
  std::thread secondLane;
  struct JoinOnExit {  // also when the first lane throws: a running thread must be joined
    std::thread& thread;
    ~JoinOnExit() {
      if (thread.joinable()) thread.join();
    }
  } joiner{secondLane};
  if (parallel) {
    // Started after EnterWorkFolder, so it shares this thread's private current folder.
    secondLane = std::thread([&] {
      try {
        ThreadLocale utf8;
        secondCount = second.Loop();
        second.Close();
      } catch (...) {
        reporter.Report(UNZ_REPORT_ERROR, job.archive, "internal error", 0);
      }
    });
  }
  const int firstCount = first.Loop();
  if (secondLane.joinable()) secondLane.join();
  first.Close();
  first.SetFolderModes(ProcessUmask());
  return firstCount + secondCount;
}

}  // namespace

int RunExtraction(const UnzJob& job, JobReporter& reporter) {
  try {
    ThreadLocale utf8;
    if (!utf8.ok()) {
      reporter.Report(UNZ_REPORT_ERROR, job.archive,
                      "no UTF-8 locale on this system: names that are not plain ASCII may fail", 0);
    }
    return RunLanes(job, reporter);
  } catch (const std::exception& e) {
    reporter.Report(UNZ_REPORT_ERROR, job.archive, std::string("internal error: ") + e.what(), 0);
  } catch (...) {
    reporter.Report(UNZ_REPORT_ERROR, job.archive, "internal error", 0);
  }
  return -1;
}

}  // namespace unz
