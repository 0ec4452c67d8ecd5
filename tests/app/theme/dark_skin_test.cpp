// The dark look's skin, made from the light one.

#include "app/theme/dark_skin.h"

#include <gtest/gtest.h>

#include "app/theme/contrast.h"
#include "foundation/skin_image.h"

namespace {

double MeanLuminance(const TBitmap& picture) {
  double sum = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) sum += RelativeLuminance(picture.PixelColor(x, y));
  }
  return sum / (static_cast<double>(picture.Width()) * picture.Height());
}

TEST(DarkSkinTest, KeepsTheLightSkinsSizeSoTheBandsStayInPlace) {
  const TBitmap light = MakeSkinImage();
  const TBitmap dark = MakeDarkSkin(light);
  EXPECT_EQ(dark.Width(), light.Width());
  EXPECT_EQ(dark.Height(), light.Height());
}

TEST(DarkSkinTest, EveryBandIsDark) {
  const TBitmap dark = MakeDarkSkin(MakeSkinImage());
  EXPECT_GT(MeanLuminance(MakeSkinImage()), 0.4);
  EXPECT_LT(MeanLuminance(dark), 0.05);
  for (int y = 0; y < dark.Height(); ++y) {
    EXPECT_LT(RelativeLuminance(dark.PixelColor(kSkinWidth / 2, y)), 0.08) << "row " << y;
  }
}

TEST(DarkSkinTest, KeepsEachBandsHueAndItsGradient) {
  const TBitmap light = MakeSkinImage();
  const TBitmap dark = MakeDarkSkin(light);
  // The orange band stays reddest, the blue ones bluest; the gradients still run downwards.
  const std::uint32_t orange = dark.PixelColor(0, 5);
  EXPECT_GT(orange >> 16 & 0xFF, orange & 0xFF);
  const std::uint32_t blue = dark.PixelColor(0, 3 * kSkinBandRows + 5);
  EXPECT_GT(blue & 0xFF, blue >> 16 & 0xFF);
  EXPECT_GT(RelativeLuminance(dark.PixelColor(0, 3 * kSkinBandRows + 1)),
            RelativeLuminance(dark.PixelColor(0, 4 * kSkinBandRows - 1)));
}

TEST(DarkSkinTest, AnEmptySkinMakesAnEmptyDarkOne) {
  EXPECT_TRUE(MakeDarkSkin(TBitmap()).Empty());
}

}  // namespace
