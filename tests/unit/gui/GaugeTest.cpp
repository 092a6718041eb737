// The gauge's rules: progress stays within its range, the share shown is a whole-number
// percentage, and a maximum below the minimum is refused.
#include <gtest/gtest.h>

#include <cstdint>

#include "gui/Controls.h"

namespace {

struct GaugeCase {
  std::int64_t max;
  std::int64_t progress;
  std::int64_t keptProgress;
  int percent;
};

class GaugeRange : public testing::TestWithParam<GaugeCase> {};

TEST_P(GaugeRange, KeepsProgressInRangeAndShowsWholePercent) {
  const GaugeCase& c = GetParam();
  gui::Gauge gauge(nullptr, "Gauge1");
  gauge.SetMaxValue(c.max);
  gauge.SetProgress(c.progress);
  EXPECT_EQ(gauge.Progress(), c.keptProgress);
  EXPECT_EQ(gauge.PercentDone(), c.percent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GaugeRange,
    testing::Values(GaugeCase{100, 50, 50, 50},              // plain
                    GaugeCase{100, 150, 100, 100},           // above the maximum: a full bar
                    GaugeCase{100, -5, 0, 0},                // below the minimum: an empty bar
                    GaugeCase{3, 1, 1, 33},                  // 33.3 % is shown as 33
                    GaugeCase{3, 2, 2, 66},                  // 66.7 % rounds down, not up
                    GaugeCase{0, 7, 0, 0},                   // an empty range shows nothing
                    GaugeCase{1000001, 999999, 999999, 99},  // a package size in bytes
                    GaugeCase{INT32_MAX, INT32_MAX / 2, INT32_MAX / 2, 49}));  // largest size

TEST(Gauge, MaximumBelowMinimumIsRefusedAndOldMaximumKept) {
  gui::Gauge gauge(nullptr, "Gauge1");
  gauge.SetMaxValue(500);
  gauge.SetProgress(200);
  EXPECT_THROW(gauge.SetMaxValue(-1), gui::GaugeError);
  EXPECT_EQ(gauge.MaxValue(), 500);
  EXPECT_EQ(gauge.Progress(), 200);
}

TEST(Gauge, LoweringTheMaximumPullsProgressDown) {
  gui::Gauge gauge(nullptr, "Gauge1");
  gauge.SetProgress(80);
  gauge.SetMaxValue(30);
  EXPECT_EQ(gauge.Progress(), 30);
  EXPECT_EQ(gauge.PercentDone(), 100);
}

}  // namespace
