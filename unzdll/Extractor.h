// One extraction with libarchive, run on the job's worker thread.
#pragma once

#include "JobReporter.h"
#include "zip/unzdll_abi.h"

namespace unz {

// Returns the number of files (and links) extracted, or -1 when the job could not start.
// Reports every entry and every problem through `reporter`. Throws nothing.
int RunExtraction(const UnzJob& job, JobReporter& reporter);

}  // namespace unz
