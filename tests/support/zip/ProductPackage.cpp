#include "ZipFixture.h"

namespace zipfixture {
namespace {

const char* const kToolData = "tool library\n";
const char* const kKoreanName = "설명서.txt";
const char* const kKoreanData = "설치 안내\n";

}  // namespace

const char* const kDefaultInstaller =
    "#!/bin/sh\n"
    "# Stands in for the second-stage installer: records how it was started.\n"
    "printf '%s\\n' \"$*\" > pelinst.ran\n";

ZipBuilder ProductPackage(const std::string& installerScript) {
  ZipBuilder zip;
  zip.File("pelinst.exe", installerScript, 0755)
      .File("bin\\tool.dll", kToolData)
      .Cp949File(kKoreanName, kKoreanData);
  return zip;
}

void WriteProductPackage(const std::filesystem::path& zipPath, const std::string& installerScript) {
  ProductPackage(installerScript).WriteTo(zipPath);
}

std::vector<std::pair<std::string, std::string>> ProductPackageFiles(
    const std::string& installerScript) {
  return {
      {"pelinst.exe", installerScript}, {"bin/tool.dll", kToolData}, {kKoreanName, kKoreanData}};
}

}  // namespace zipfixture
