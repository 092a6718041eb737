// The component's own texts for the user, in Korean.
#pragma once

#include <string>
#include <vector>

#include "UnzLibrary.h"

namespace zip::texts {

std::string ArchiveUnreadable(const std::string& name);
std::string LibraryFailed(UnzLibrary::Failure failure, const std::string& detail, int version,
                          int minVersion);
// One line for a problem the library reported (kind is UNZ_REPORT_SKIPPED or _ERROR).
std::string LibraryProblem(int kind, const std::string& entry, const std::string& message);
std::string ExtractionFailed(const std::string& detail);
std::string AlreadyExtracting();
// All problems of one extraction in one box, the first few in full.
std::string ProblemSummary(const std::vector<std::string>& problems);

}  // namespace zip::texts
