// Where the end-to-end tests run. The executable under test has its FTP port and its drive
// folder fixed at build time, so two runs could meet on either. When the system allows it
// (as root), each test program runs in network and mount namespaces of its own: a private
// loopback, where the fixed port is always free and nothing can leave the machine, and
// private mounts, so each test can lay a temporary folder over the fixed drive folder.
// Elsewhere the tests run directly and CTest's resource lock keeps them apart.
#pragma once

namespace e2e {

// Moves this process into private network and mount namespaces and brings the loopback up.
// Call once, before any thread or child process starts. False when the system refuses; the
// process is then left as it was.
bool EnterPrivateNamespaces();

// Whether EnterPrivateNamespaces succeeded.
bool InPrivateNamespaces();

}  // namespace e2e
