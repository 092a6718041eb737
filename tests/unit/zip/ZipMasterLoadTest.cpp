// Finding and loading UNZDLL.DLL: from DLLDirectory, and what the user is told when the file
// is missing, unusable or too old.
#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "ZipTestSupport.h"
#include "zip/ZipMaster.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;

TEST(ZipMasterLoad, LoadsFromDllDirectoryAndUnloads) {
  TempFolder dir;
  PlaceLibrary(UNZDLL_PATH, dir / "C/temp$");
  FakeSystem system(dir.Path());
  RecordingHost host;
  zip::ZipMaster zm(system, host);
  zm.DLLDirectory = "C:\\temp$";

  EXPECT_GE(zm.Load_Unz_Dll(), 170);
  EXPECT_TRUE(zm.Loaded());
  EXPECT_TRUE(zm.Problems().empty());
  zm.Unload_Unz_Dll();
  EXPECT_FALSE(zm.Loaded());
  zm.Unload_Unz_Dll();  // nothing loaded: nothing happens
  EXPECT_TRUE(host.messages.empty());
}

TEST(ZipMasterLoad, BrokenLibrariesAreToldAndLeaveNothingLoaded) {
  struct Case {
    const char* name;
    const char* library;  // copied in as UNZDLL.DLL; null: none, "": an empty file
    const char* told;
  };
  const Case cases[] = {
      {"missing", nullptr, "UNZDLL.DLL을 찾을 수 없습니다"},
      {"empty file", "", "UNZDLL.DLL을 사용할 수 없습니다"},
      {"no entry points", UNZDLL_NOEXEC_PATH, "UNZDLL.DLL을 사용할 수 없습니다"},
      {"too old", UNZDLL_OLD_PATH, "UNZDLL.DLL의 버전(1.69)이 너무 낮습니다. 1.70 이상이"},
  };
  for (const bool unattended : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (unattended ? ", unattended" : ""));
      TempFolder dir;
      fs::create_directories(dir / "C/temp$");
      if (c.library != nullptr && *c.library != '\0') PlaceLibrary(c.library, dir / "C/temp$");
      if (c.library != nullptr && *c.library == '\0') std::ofstream(dir / "C/temp$/UNZDLL.DLL");
      FakeSystem system(dir.Path());
      RecordingHost host;
      zip::ZipMaster zm(system, host);
      zm.DLLDirectory = "C:\\temp$\\";
      zm.Unattended = unattended;

      EXPECT_EQ(zm.Load_Unz_Dll(), 0);
      EXPECT_FALSE(zm.Loaded());
      ASSERT_EQ(zm.Problems().size(), 1u);
      EXPECT_NE(zm.Problems()[0].find(c.told), std::string::npos) << zm.Problems()[0];
      EXPECT_EQ(host.messages, unattended ? std::vector<std::string>{} : zm.Problems());
    }
  }
}
