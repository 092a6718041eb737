// The end-to-end tests' entry: private namespaces first, while this is the only thread.
#include <gtest/gtest.h>

#include <cstdio>

#include "Sandbox.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!e2e::EnterPrivateNamespaces()) {
    std::fprintf(stderr,
                 "e2e: no private namespaces here (not root?); running on the host's loopback "
                 "and the build tree's drive folder\n");
  }
  return RUN_ALL_TESTS();
}
