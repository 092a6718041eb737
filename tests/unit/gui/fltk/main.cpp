// The window tests share one private X server, started before the first test and stopped
// after the last; DISPLAY is set for this process only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "XvfbDisplay.h"

namespace {

class XvfbEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    display_ = std::make_unique<testing_support::XvfbDisplay>("1024x768x24");
    ::setenv("DISPLAY", display_->Name().c_str(), 1);
  }
  void TearDown() override { display_.reset(); }

 private:
  std::unique_ptr<testing_support::XvfbDisplay> display_;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new XvfbEnvironment);
  return RUN_ALL_TESTS();
}
