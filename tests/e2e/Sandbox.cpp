#include "Sandbox.h"

#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace e2e {
namespace {

bool privateNamespaces = false;

bool BringLoopbackUp() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  bool up = ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
  if (up) {
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP | IFF_RUNNING);
    up = ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
  }
  ::close(fd);
  return up;
}

}  // namespace

bool EnterPrivateNamespaces() {
  if (::unshare(CLONE_NEWNET | CLONE_NEWNS) != 0) return false;
  // Mounts made from here on must not show through to the rest of the system.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  // Xvfb's socket is reached through /tmp/.X11-unix, which the new network namespace still
  // sees; only the abstract socket name is per namespace, and Xvfb starts in this one too.
  privateNamespaces = BringLoopbackUp();
  return privateNamespaces;
}

bool InPrivateNamespaces() {
  return privateNamespaces;
}

}  // namespace e2e
