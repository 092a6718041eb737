// The two entry points of UNZDLL.DLL. Nothing else is exported, and nothing unwinds out:
// the caller is C, and may be a GUI that must survive whatever an archive holds.
#include "CallerBridge.h"
#include "Extractor.h"
#include "JobReporter.h"
#include "zip/unzdll_abi.h"

#define UNZ_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kVersion = 179;

bool UsableJob(const UnzJob& job) {
  return job.struct_size >= sizeof(UnzJob) && job.abi_version == UNZ_ABI_VERSION &&
         job.archive != nullptr && job.base_dir != nullptr;
}

}  // namespace

UNZ_EXPORT int GetUnzDllVersion(void) {
  return kVersion;
}

UNZ_EXPORT int UnzDllExec(const UnzJob* job) {
  if (job == nullptr) return -1;
  if (!UsableJob(*job)) {
    // Only the fields every version has are trusted here.
    if (job->struct_size >= sizeof(UnzJob) && job->report != nullptr) {
      job->report(job->user, UNZ_REPORT_ERROR, "", "unusable job description", 0);
    }
    return -1;
  }
  try {
    unz::CallerBridge bridge;
    unz::JobReporter reporter(*job, &bridge);
    return bridge.Run([&] { return unz::RunExtraction(*job, reporter); });
  } catch (...) {  // e.g. no thread could be started
    if (job->report != nullptr) {
      job->report(job->user, UNZ_REPORT_ERROR, job->archive, "cannot start the extraction", 0);
    }
    return -1;
  }
}
