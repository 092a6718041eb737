#include <sys/stat.h>
#include <zlib.h>

#include <fstream>
#include <stdexcept>

#include "PkwareCipher.h"
#include "ZipFixture.h"

namespace zipfixture {
namespace {

constexpr uint16_t kFlagEncrypted = 1u << 0;
constexpr uint16_t kFlagUtf8 = 1u << 11;
constexpr uint16_t kMadeOnDos = 20;                                 // version 2.0, host 0
constexpr uint16_t kMadeOnUnix = (3u << 8) | 30;                    // version 3.0, host 3
constexpr uint16_t kDosTime = 0;                                    // 00:00:00
constexpr uint16_t kDosDate = ((2020 - 1980) << 9) | (1 << 5) | 1;  // 2020-01-01
constexpr uint32_t kDosDirectory = 0x10, kDosArchive = 0x20;

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string TimestampField(const ZipEntry& e) {
  std::string field;
  if (!e.mtime) return field;
  Put16(field, 0x5455);  // extended timestamp
  Put16(field, 5);
  field.push_back(1);  // modification time present
  Put32(field, static_cast<uint32_t>(*e.mtime));
  return field;
}

ZipEntry Named(std::string name, std::string data) {
  ZipEntry e;
  e.name = std::move(name);
  e.data = std::move(data);
  return e;
}

}  // namespace

ZipBuilder& ZipBuilder::Add(ZipEntry entry) {
  entries_.push_back(std::move(entry));
  return *this;
}

ZipBuilder& ZipBuilder::File(std::string name, std::string data, uint32_t mode) {
  ZipEntry e = Named(std::move(name), std::move(data));
  if (mode != 0) e.unixMode = S_IFREG | mode;
  return Add(std::move(e));
}

ZipBuilder& ZipBuilder::Utf8File(std::string utf8Name, std::string data) {
  ZipEntry e = Named(std::move(utf8Name), std::move(data));
  e.utf8Flag = true;
  return Add(std::move(e));
}

ZipBuilder& ZipBuilder::Cp949File(const std::string& utf8Name, std::string data) {
  return Add(Named(Cp949(utf8Name), std::move(data)));
}

ZipBuilder& ZipBuilder::Folder(std::string name) {
  if (name.empty() || (name.back() != '/' && name.back() != '\\')) name += '/';
  return Add(Named(std::move(name), ""));
}

ZipBuilder& ZipBuilder::Symlink(std::string name, std::string target) {
  ZipEntry e = Named(std::move(name), std::move(target));
  e.unixMode = S_IFLNK | 0777;
  return Add(std::move(e));
}

ZipBuilder& ZipBuilder::Encrypted(std::string name, std::string data, std::string password) {
  ZipEntry e = Named(std::move(name), std::move(data));
  e.password = std::move(password);
  return Add(std::move(e));
}

std::string ZipBuilder::Bytes() const {
  std::string out;
  std::string directory;
  for (const ZipEntry& e : entries_) {
    const auto crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())));
    const std::string stored = e.password.empty() ? e.data : PkwareEncrypt(e.data, e.password, crc);
    uint16_t flags = e.utf8Flag ? kFlagUtf8 : 0;
    if (!e.password.empty()) flags |= kFlagEncrypted;
    const bool isDir = !e.name.empty() && (e.name.back() == '/' || e.name.back() == '\\');
    const uint32_t external = e.unixMode ? (*e.unixMode << 16) | (isDir ? kDosDirectory : 0)
                                         : (isDir ? kDosDirectory : kDosArchive);
    const std::string extra = TimestampField(e);
    const auto offset = static_cast<uint32_t>(out.size());

    // Fields shared by the local header and the directory record, from "version needed" on.
    std::string common;
    Put16(common, 20);
    Put16(common, flags);
    Put16(common, 0);  // stored
    Put16(common, kDosTime);
    Put16(common, kDosDate);
    Put32(common, crc);
    Put32(common, static_cast<uint32_t>(stored.size()));
    Put32(common, static_cast<uint32_t>(e.data.size()));
    Put16(common, static_cast<uint32_t>(e.name.size()));
    Put16(common, static_cast<uint32_t>(extra.size()));

    Put32(out, 0x04034b50);
    out += common + e.name + extra + stored;

    Put32(directory, 0x02014b50);
    Put16(directory, e.unixMode ? kMadeOnUnix : kMadeOnDos);
    directory += common;
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, external);
    Put32(directory, offset);
    directory += e.name + extra;
  }
  const auto directoryOffset = static_cast<uint32_t>(out.size());
  out += directory;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(entries_.size()));
  Put16(out, static_cast<uint32_t>(entries_.size()));
  Put32(out, static_cast<uint32_t>(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}

void ZipBuilder::WriteTo(const std::filesystem::path& path) const {
  WriteTruncatedTo(path, std::string::npos);
}

void ZipBuilder::WriteTruncatedTo(const std::filesystem::path& path, size_t keep) const {
  const std::string bytes = Bytes().substr(0, keep);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace zipfixture
