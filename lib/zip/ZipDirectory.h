// Reads the central directory of a zip archive just far enough to count its entries.
#pragma once

#include <optional>
#include <string>

namespace zip {

// The number of entries, or nullopt when the file is missing, empty, truncated or not a zip.
std::optional<long long> CountZipEntries(const std::string& hostPath);

}  // namespace zip
