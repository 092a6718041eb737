#include "ZipDirectory.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

namespace zip {
namespace {

constexpr size_t kEndRecordSize = 22;
constexpr size_t kMaxCommentSize = 0xFFFF;
constexpr size_t kZip64LocatorSize = 20;
constexpr size_t kZip64EndRecordSize = 56;
constexpr uint64_t kDirectoryRecordSize = 46;  // the fixed part of one directory record

uint64_t Little(const unsigned char* p, int bytes) {
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

bool Signature(const unsigned char* p, char a, char b) {
  return p[0] == 'P' && p[1] == 'K' && p[2] == a && p[3] == b;
}

bool ReadAt(std::ifstream& in, uint64_t offset, std::vector<unsigned char>& buf) {
  in.clear();
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(reinterpret_cast<char*>(buf.data()), static_cast<std::streamsize>(buf.size()));
  return static_cast<size_t>(in.gcount()) == buf.size();
}

}  // namespace

std::optional<long long> CountZipEntries(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff end = in.tellg();
  if (end < static_cast<std::streamoff>(kEndRecordSize)) return std::nullopt;
  const uint64_t size = static_cast<uint64_t>(end);

  // The end record sits in the last 22 bytes plus at most a 64 KiB comment.
  const uint64_t tailSize = std::min<uint64_t>(size, kEndRecordSize + kMaxCommentSize);
  std::vector<unsigned char> tail(tailSize);
  if (!ReadAt(in, size - tailSize, tail)) return std::nullopt;
  for (size_t pos = tailSize - kEndRecordSize + 1; pos-- > 0;) {
    const unsigned char* rec = tail.data() + pos;
    if (!Signature(rec, 5, 6)) continue;
    if (pos + kEndRecordSize + Little(rec + 20, 2) > tailSize) continue;
    const uint64_t recordOffset = size - tailSize + pos;
    uint64_t entries = Little(rec + 10, 2);
    uint64_t dirSize = Little(rec + 12, 4);
    uint64_t dirOffset = Little(rec + 16, 4);
    if (entries == 0xFFFF || dirSize == 0xFFFFFFFF || dirOffset == 0xFFFFFFFF) {
      if (recordOffset < kZip64LocatorSize) return std::nullopt;
      std::vector<unsigned char> locator(kZip64LocatorSize);
      if (!ReadAt(in, recordOffset - kZip64LocatorSize, locator) ||
          !Signature(locator.data(), 6, 7)) {
        return std::nullopt;
      }
      std::vector<unsigned char> record(kZip64EndRecordSize);
      if (!ReadAt(in, Little(locator.data() + 8, 8), record) || !Signature(record.data(), 6, 6)) {
        return std::nullopt;
      }
      entries = Little(record.data() + 32, 8);
      dirSize = Little(record.data() + 40, 8);
      dirOffset = Little(record.data() + 48, 8);
    }
    // A directory that does not fit before its end record means a damaged archive.
    if (dirOffset > recordOffset || dirSize > recordOffset - dirOffset) return std::nullopt;
    // So does a count of entries that cannot fit in the directory (a zip64 count could even
    // turn negative as a signed number).
    if (entries > dirSize / kDirectoryRecordSize) return std::nullopt;
    if (entries > 0) {
      std::vector<unsigned char> first(4);
      if (!ReadAt(in, dirOffset, first) || !Signature(first.data(), 1, 2)) return std::nullopt;
    }
    return static_cast<long long>(entries);
  }
  return std::nullopt;
}

}  // namespace zip
