/* The C interface between the zip component and the unzip library UNZDLL.DLL.
 *
 * The library is a separate build product that the distribution server hosts; the assistant
 * loads it at run time and finds these two entry points by name. Everything crossing this
 * boundary is plain C: no exceptions, no C++ types, no ownership transfer. Strings are UTF-8
 * and paths are the host's own (the component translates Windows paths before calling). */
#ifndef SETUP_UNZDLL_ABI_H
#define SETUP_UNZDLL_ABI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define UNZ_ABI_VERSION 1

/* What a report is about. */
enum UnzReportKind {
  UNZ_REPORT_ENTRY = 1,    /* an entry was extracted (entry = its name, bytes = its size) */
  UNZ_REPORT_SKIPPED = 2,  /* an entry was refused or skipped (message says why) */
  UNZ_REPORT_ERROR = 3,    /* the job has a problem (archive missing, unreadable, a write failed) */
  UNZ_REPORT_PROGRESS = 4, /* bytes written so far for the current entry */
  UNZ_REPORT_KEPT = 5      /* an existing file was kept because overwrite is off */
};

typedef struct UnzJob UnzJob;

/* Called for every report. Must not unwind through the library. Returns 0 to go on, nonzero
 * to stop the job after the current entry (the caller is going away). */
typedef int (*UnzReportFn)(void* user, int kind, const char* entry, const char* message,
                           int64_t bytes);

/* Asked for the password of an encrypted entry. Writes a NUL-terminated password into buf
 * (at most buflen bytes including the NUL) and returns 1, or returns 0 to skip the entry.
 * Asked again (a few times at most) when the password given was wrong. */
typedef int (*UnzPasswordFn)(void* user, const char* entry, char* buf, size_t buflen);

struct UnzJob {
  uint32_t struct_size;     /* sizeof(UnzJob), for forward compatibility */
  uint32_t abi_version;     /* UNZ_ABI_VERSION */
  const char* archive;      /* archive path (relative paths against the current directory) */
  const char* base_dir;     /* target folder; entries land below it */
  const char* const* specs; /* entry names or patterns to extract; "*.*" or none = every entry */
  size_t spec_count;
  int dir_names; /* nonzero: recreate stored folder paths below base_dir; zero: flatten */
  int overwrite; /* nonzero: replace existing files without asking; zero: keep them */
  void* user;
  UnzReportFn report;     /* may be NULL */
  UnzPasswordFn password; /* may be NULL: encrypted entries are then skipped */
};

/* The library's version times 100 (1.70 reports 170). */
typedef int (*GetUnzDllVersionFn)(void);

/* Runs one extraction. Both callbacks are made on the thread that called UnzDllExec, one at a
 * time, while the extraction waits; the library never changes the process's current folder
 * or locale. Returns the number of files extracted, or a negative number when the
 * job could not start at all (bad job struct, archive not readable); every problem is also
 * reported through job->report. */
typedef int (*UnzDllExecFn)(const UnzJob* job);

#ifdef __cplusplus
}
#endif

#endif /* SETUP_UNZDLL_ABI_H */
