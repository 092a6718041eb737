#include "zip/ZipMaster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <utility>

#include "UnzLibrary.h"
#include "ZipDirectory.h"
#include "ZipTexts.h"
#include "os/System.h"
#include "zip/unzdll_abi.h"

namespace zip {
namespace {

constexpr const char* kLibraryFileName = "UNZDLL.DLL";

// What the library's callbacks need during one extraction. It lives on Extract's stack, not
// in the component, because a handler run from ProcessMessages may destroy the component.
struct ExtractCall {
  ZipHost& host;
  std::shared_ptr<bool> alive;  // false once the component is destroyed
  std::vector<std::string> problems;
};

int OnReport(void* user, int kind, const char* entry, const char* message, int64_t) noexcept {
  auto* call = static_cast<ExtractCall*>(user);
  try {
    if (!*call->alive) return 1;
    if (kind == UNZ_REPORT_SKIPPED || kind == UNZ_REPORT_ERROR) {
      call->problems.push_back(texts::LibraryProblem(kind, entry != nullptr ? entry : "",
                                                     message != nullptr ? message : ""));
    }
    call->host.ProcessMessages();
    return *call->alive ? 0 : 1;
  } catch (const std::exception& e) {
    call->problems.push_back(texts::ExtractionFailed(e.what()));
  } catch (...) {
    call->problems.push_back(texts::ExtractionFailed(""));
  }
  return 1;
}

int OnPassword(void* user, const char* entry, char* buf, size_t buflen) noexcept {
  auto* call = static_cast<ExtractCall*>(user);
  try {
    if (!*call->alive) return 0;
    std::optional<std::string> password = call->host.AskPassword(entry != nullptr ? entry : "");
    if (!password || password->size() >= buflen) return 0;
    std::memcpy(buf, password->c_str(), password->size() + 1);
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace

struct ZipMaster::Impl {
  Impl(os::System& s, ZipHost& h) : system(s), host(h) {}

  os::System& system;
  ZipHost& host;
  std::string zipFileName;
  int count = 0;
  bool unreadableShown = false;  // SetZipFileName already told the user
  std::shared_ptr<UnzLibrary> library;
  std::vector<std::string> problems;
  bool extracting = false;
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

ZipMaster::ZipMaster(os::System& system, ZipHost& host)
    : impl_(std::make_unique<Impl>(system, host)) {}

// A running Extract keeps its own reference to the library, so the unload waits for it.
ZipMaster::~ZipMaster() {
  *impl_->alive = false;
}

const std::string& ZipMaster::ZipFileName() const {
  return impl_->zipFileName;
}
int ZipMaster::Count() const {
  return impl_->count;
}
bool ZipMaster::Loaded() const {
  return impl_->library != nullptr;
}
const std::vector<std::string>& ZipMaster::Problems() const {
  return impl_->problems;
}

void ZipMaster::Tell(const std::string& text, bool show) {
  impl_->problems.push_back(text);
  if (show && !Unattended) impl_->host.ShowMessage(text);
}

void ZipMaster::SetZipFileName(const std::string& name) {
  Impl& d = *impl_;
  d.problems.clear();
  d.zipFileName = name;
  d.count = 0;
  d.unreadableShown = false;
  try {
    std::optional<long long> entries = CountZipEntries(d.system.HostPath(name));
    if (entries) {
      d.count = static_cast<int>(std::min<long long>(*entries, INT32_MAX));
      return;
    }
    d.unreadableShown = true;
    Tell(texts::ArchiveUnreadable(name), true);
  } catch (const std::exception& e) {
    Tell(texts::ArchiveUnreadable(name + "\n" + e.what()), true);
  }
}

std::shared_ptr<UnzLibrary> ZipMaster::LoadLibrary() {
  std::string directory = DLLDirectory;
  std::string file;
  if (!directory.empty()) {
    const char last = directory.back();
    if (last != '\\' && last != '/') directory += '\\';
    file = impl_->system.HostPath(directory + kLibraryFileName);
  }
  UnzLibrary::Loaded loaded = UnzLibrary::Load(file, kLibraryFileName, MinUnzDllVers);
  if (!loaded.library) {
    Tell(texts::LibraryFailed(loaded.failure, loaded.detail, loaded.version, MinUnzDllVers), true);
  }
  return loaded.library;
}

int ZipMaster::Load_Unz_Dll() {
  Impl& d = *impl_;
  d.problems.clear();
  try {
    if (!d.library) d.library = LoadLibrary();
    return d.library ? d.library->Version() : 0;
  } catch (const std::exception& e) {
    Tell(texts::LibraryFailed(UnzLibrary::Failure::Unusable, e.what(), 0, MinUnzDllVers), true);
    return 0;
  }
}

void ZipMaster::Unload_Unz_Dll() {
  impl_->library.reset();
}

int ZipMaster::Extract() {
  Impl& d = *impl_;
  if (d.extracting) {  // a handler run from ProcessMessages asked for another one
    d.problems.push_back(texts::AlreadyExtracting());
    return 0;
  }
  d.problems.clear();
  // Emptied now, so specs added while we run belong to the next extraction.
  std::vector<std::string> specs;
  specs.swap(FSpecArgs);
  const bool toldAboutArchive = std::exchange(d.unreadableShown, false);
  try {
    const std::string archive = d.system.HostPath(d.zipFileName);
    if (!CountZipEntries(archive)) {
      Tell(texts::ArchiveUnreadable(d.zipFileName), !toldAboutArchive);
      return 0;
    }
    // Our own reference: a nested Unload_Unz_Dll must not unmap code that is on the stack.
    std::shared_ptr<UnzLibrary> library = d.library;
    if (!library) library = LoadLibrary();  // for this one extraction; released on return
    if (!library) return 0;

    const std::string baseDir = d.system.HostPath(ExtrBaseDir);
    std::vector<const char*> specPointers;
    for (const std::string& pattern : specs) specPointers.push_back(pattern.c_str());
    const auto has = [&](ExtrOption o) {
      return std::find(ExtrOptions.begin(), ExtrOptions.end(), o) != ExtrOptions.end();
    };
    ExtractCall call{d.host, d.alive, {}};
    UnzJob job{};
    job.struct_size = sizeof(UnzJob);
    job.abi_version = UNZ_ABI_VERSION;
    job.archive = archive.c_str();
    job.base_dir = baseDir.c_str();
    job.specs = specPointers.data();
    job.spec_count = specPointers.size();
    job.dir_names = has(ExtrOption::ExtrDirNames) ? 1 : 0;
    job.overwrite = has(ExtrOption::ExtrOverWrite) ? 1 : 0;
    job.user = &call;
    job.report = &OnReport;
    job.password = &OnPassword;

    d.extracting = true;
    const int result = library->Exec(job);
    // Handlers run during Exec may have destroyed this component: look before touching it.
    if (!*call.alive) return std::max(result, 0);
    d.extracting = false;

    if (result < 0 && call.problems.empty()) call.problems.push_back(texts::ExtractionFailed(""));
    d.problems = call.problems;
    if (!d.problems.empty() && !Unattended) d.host.ShowMessage(texts::ProblemSummary(d.problems));
    return std::max(result, 0);
  } catch (const std::exception& e) {
    d.extracting = false;
    Tell(texts::ExtractionFailed(e.what()), true);
  } catch (...) {
    d.extracting = false;
    Tell(texts::ExtractionFailed(""), true);
  }
  return 0;
}

}  // namespace zip
