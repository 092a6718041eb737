// What one build of the assistant is fixed to: the distribution server and, on POSIX, the
// folders behind the drive letters. Each executable links exactly one definition.
#pragma once

#include <string>

#include "os/PathMap.h"

namespace setup {

struct ServerConfig {
  std::string host;
  int port = 21;
};

const ServerConfig& BuiltInServer();
// The drive map of this build: C: is the system drive, Z: the host's root.
os::PathMap BuiltInDrives();

}  // namespace setup
