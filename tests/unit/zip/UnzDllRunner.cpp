#include "UnzDllRunner.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Recorder {
  JobOutcome* outcome;
  std::vector<std::string> passwords;
  size_t nextPassword = 0;
};

int Report(void* user, int kind, const char* entry, const char* message, int64_t bytes) {
  static_cast<Recorder*>(user)->outcome->reports.push_back({kind, entry, message, bytes});
  return 0;
}

int Password(void* user, const char* entry, char* buf, size_t buflen) {
  auto* r = static_cast<Recorder*>(user);
  r->outcome->askedFor.push_back(entry);
  if (r->nextPassword >= r->passwords.size()) return 0;
  const std::string& p = r->passwords[r->nextPassword++];
  std::snprintf(buf, buflen, "%s", p.c_str());
  return 1;
}

}  // namespace

std::vector<LibraryReport> JobOutcome::Of(int kind) const {
  std::vector<LibraryReport> found;
  for (const LibraryReport& r : reports) {
    if (r.kind == kind) found.push_back(r);
  }
  return found;
}

std::string JobOutcome::Describe() const {
  std::string text = "result " + std::to_string(result) + "\n";
  for (const LibraryReport& r : reports) {
    text += std::to_string(r.kind) + " [" + r.entry + "] " + r.message + "\n";
  }
  return text;
}

JobOutcome RunJob(const JobSetup& setup) {
  JobOutcome outcome;
  void* handle = dlopen(UNZDLL_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    ADD_FAILURE() << dlerror();
    return outcome;
  }
  auto exec = reinterpret_cast<UnzDllExecFn>(dlsym(handle, "UnzDllExec"));
  Recorder recorder{&outcome, setup.passwords};
  const std::string archive = setup.archive.string();
  const std::string base = setup.base.string();
  std::vector<const char*> specs;
  for (const std::string& s : setup.specs) specs.push_back(s.c_str());
  UnzJob job{};
  job.struct_size = sizeof job;
  job.abi_version = UNZ_ABI_VERSION;
  job.archive = archive.c_str();
  job.base_dir = base.c_str();
  job.specs = specs.data();
  job.spec_count = specs.size();
  job.dir_names = setup.dirNames ? 1 : 0;
  job.overwrite = setup.overwrite ? 1 : 0;
  job.user = &recorder;
  job.report = &Report;
  job.password = setup.passwordCallback ? &Password : nullptr;
  outcome.result = exec(&job);
  dlclose(handle);
  return outcome;
}
