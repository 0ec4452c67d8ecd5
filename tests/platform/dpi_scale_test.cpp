// The rules that scale 96-dpi design values to a monitor's dpi.

#include "platform/dpi_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(DpiScaleTest, DesignValuesScaleByTheDpiAndRoundHalvesAwayFromZero) {
  EXPECT_EQ(ScaleToDpi(27, 96), 27);
  EXPECT_EQ(ScaleToDpi(27, 144), 41);  // 40.5
  EXPECT_EQ(ScaleToDpi(27, 192), 54);
  EXPECT_EQ(ScaleToDpi(-11, 144), -17);  // -16.5
  EXPECT_EQ(ScaleToDpi(-19, 192), -38);
  EXPECT_EQ(ScaleToDpi(1, 120), 1);  // 1.25
  EXPECT_EQ(ScaleToDpi(0, 144), 0);
}

TEST(DpiScaleTest, ADpiTheSystemCouldNotSayCountsAs96) {
  EXPECT_EQ(UsableDpi(0), 96);
  EXPECT_EQ(UsableDpi(-5), 96);
  EXPECT_EQ(UsableDpi(144), 144);
  EXPECT_EQ(ScaleToDpi(200, 0), 200);
}

TEST(DpiScaleTest, FontHeightsComeFromPointsAtTheDpi) {
  EXPECT_EQ(FontHeightForPoints(10, 96), -13);  // 13.3
  EXPECT_EQ(FontHeightForPoints(10, 144), -20);
  EXPECT_EQ(FontHeightForPoints(8, 192), -21);  // 21.3
  EXPECT_EQ(FontHeightForPoints(8, 0), -11);    // 10.7
}

}  // namespace
