// Without UNZDLL.DLL in DLLDirectory the component takes whatever the system's library search
// finds (this process starts with the built library's folder on that search path).
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "ZipTestSupport.h"
#include "zip/ZipMaster.h"

TEST(ZipMasterSearch, FallsBackToTheSystemLibrarySearch) {
  testing_support::TempFolder dir;
  FakeSystem system(dir.Path());
  RecordingHost host;
  zip::ZipMaster zm(system, host);
  zm.DLLDirectory = "C:\\temp$";  // holds no library

  EXPECT_GE(zm.Load_Unz_Dll(), 170);
  EXPECT_TRUE(zm.Loaded());
  EXPECT_TRUE(host.messages.empty());
}
