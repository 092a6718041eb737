#include "ProductServer.h"

#include <fstream>

#include "zip/ZipFixture.h"

namespace e2e {
namespace fs = std::filesystem;

const char* const kRecordingInstaller =
    "#!/bin/sh\n"
    "{ pwd -P; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > pelinst.part\n"
    "mv pelinst.part pelinst.log\n";

ProductServer::ProductServer(const fs::path& root, const std::string& product,
                             const std::vector<std::string>& descriptorLines, int port) {
  const fs::path files = root / "files";
  fs::create_directories(files);
  for (const auto& line : descriptorLines) descriptor_ += zipfixture::Cp949(line) + "\r\n";
  std::ofstream(files / (product + ".txt"), std::ios::binary) << descriptor_;
  fs::copy_file(SETUP_UNZDLL_PATH, files / "UNZDLL.DLL");
  zipfixture::WriteProductPackage(files / (product + ".zip"), kRecordingInstaller);
  server_ =
      std::make_unique<ftptest::RealFtpServer>(root.string(), "quandel", "KaqWrBe%%7391%%", port);
}

}  // namespace e2e
