#include "os/PathMap.h"

#include <gtest/gtest.h>

namespace {

os::PathMap Map() {
  return os::PathMap({{'C', "/srv/drive_c/", os::DriveKind::Fixed, ""},
                      {'D', "/srv/drive_c/d", os::DriveKind::Fixed, ""},
                      {'Z', "/", os::DriveKind::Fixed, ""}});
}

TEST(PathMap, WindowsToHost) {
  struct Case {
    const char* windows;
    const char* host;
  } cases[] = {
      {"C:\\temp$\\z.zip", "/srv/drive_c/temp$/z.zip"},
      {"c:\\temp$", "/srv/drive_c/temp$"},
      {"C:\\", "/srv/drive_c"},
      {"C:", "/srv/drive_c"},
      {"C:\\Apps\\ABC\\", "/srv/drive_c/Apps/ABC/"},
      {"Z:\\usr\\bin", "/usr/bin"},
      {"Z:\\", "/"},
      {"z.zip", "z.zip"},
      {"bin\\tool.dll", "bin/tool.dll"},
      {"\\rooted", "/srv/drive_c/rooted"},
      {"Q:\\x", "/nonexistent-drive-Q/x"},
      // ".." never climbs above the drive's root, as on Windows.
      {"C:\\..\\..\\etc\\passwd", "/srv/drive_c/etc/passwd"},
      {"C:\\a\\.\\b\\..\\c\\", "/srv/drive_c/a/c/"},
      {"Z:\\..", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(Map().ToHost(c.windows, 'C'), c.host) << c.windows;
}

TEST(PathMap, HostToWindowsTakesTheClosestDrive) {
  struct Case {
    const char* host;
    const char* windows;
  } cases[] = {
      {"/srv/drive_c/temp$/z.txt", "C:\\temp$\\z.txt"},
      {"/srv/drive_c", "C:\\"},
      {"/srv/drive_c/d/x", "D:\\x"},  // D:'s folder lies inside C:'s: the closer one wins
      {"/srv/drive_cx/y", "Z:\\srv\\drive_cx\\y"},  // a name prefix is not a folder prefix
      {"/home/u/ABC_setup", "Z:\\home\\u\\ABC_setup"},
  };
  for (const auto& c : cases) EXPECT_EQ(Map().ToWindows(c.host), c.windows) << c.host;
}

}  // namespace
