// Small zip archives for tests, built in memory with stored (uncompressed) entries.
//
//   zipfixture::WriteProductPackage(dir / "z.zip");           // the product package
//   zipfixture::ZipBuilder().File("a.txt", "A").Folder("bin").WriteTo(dir / "x.zip");
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zipfixture {

// UTF-8 text as code page 949 bytes, the way Korean Windows zip tools store names.
std::string Cp949(const std::string& utf8);

struct ZipEntry {
  std::string name;  // stored bytes, exactly as they go into the archive
  std::string data;  // contents; for a link, its target
  bool utf8Flag = false;
  std::optional<uint32_t> unixMode;  // with type bits, e.g. S_IFREG | 0755; none: made on DOS
  std::optional<int64_t> mtime;      // seconds since 1970 (UTC), in an extended-timestamp field
  std::string password;              // non-empty: traditional PKWARE encryption
};

class ZipBuilder {
 public:
  // A file as a Windows tool stores it (no mode), or with a Unix mode when `mode` is nonzero
  // (permission bits only; the type is added).
  ZipBuilder& File(std::string name, std::string data, uint32_t mode = 0);
  ZipBuilder& Utf8File(std::string utf8Name, std::string data);          // with the UTF-8 flag
  ZipBuilder& Cp949File(const std::string& utf8Name, std::string data);  // stored in CP949
  ZipBuilder& Folder(std::string name);                                  // "/" appended
  ZipBuilder& Symlink(std::string name, std::string target);
  ZipBuilder& Encrypted(std::string name, std::string data, std::string password);
  ZipBuilder& Add(ZipEntry entry);

  std::string Bytes() const;
  // Throws std::runtime_error when the file cannot be written.
  void WriteTo(const std::filesystem::path& path) const;
  // Only the first `keep` bytes: an archive cut short in transfer.
  void WriteTruncatedTo(const std::filesystem::path& path, size_t keep) const;

 private:
  std::vector<ZipEntry> entries_;
};

// The product package a distribution server offers: "pelinst.exe" (a shell script, mode
// 0755), "bin\tool.dll" stored with a Windows separator, and "설명서.txt" stored in CP949.
// The default installer writes its parameters into "pelinst.ran" in its working folder.
extern const char* const kDefaultInstaller;
ZipBuilder ProductPackage(const std::string& installerScript = kDefaultInstaller);
void WriteProductPackage(const std::filesystem::path& zipPath,
                         const std::string& installerScript = kDefaultInstaller);
// What the product package leaves on disk: relative path ("/"-separated, UTF-8) and contents.
std::vector<std::pair<std::string, std::string>> ProductPackageFiles(
    const std::string& installerScript = kDefaultInstaller);

}  // namespace zipfixture
