// A distribution server offering one product, as a vendor would set it up: under "/files/"
// the product's descriptor in code page 949, the unzip library, and the product package, on
// a real FTP server (pyftpdlib) that the assistant's account can log in to.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ftp/RealFtpServer.h"

namespace e2e {

// The package's installer: it writes its working folder, then each parameter in brackets on
// a line of its own, into pelinst.log in its working folder (all at once, so that a reader
// never sees half of it).
extern const char* const kRecordingInstaller;

class ProductServer {
 public:
  // Lays out `root` and starts the server on `port`; Running() tells whether it came up.
  ProductServer(const std::filesystem::path& root, const std::string& product,
                const std::vector<std::string>& descriptorLines, int port);

  bool Running() const { return server_ && server_->Port() != 0; }
  // The descriptor exactly as served.
  const std::string& DescriptorBytes() const { return descriptor_; }

 private:
  std::string descriptor_;
  std::unique_ptr<ftptest::RealFtpServer> server_;
};

}  // namespace e2e
