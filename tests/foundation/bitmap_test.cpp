// The picture type: pixel formats, limits and conversion to and from system bitmaps.

#include <gtest/gtest.h>

#include <cstring>

#include "foundation/bitmap.h"
#include "foundation/picture_error.h"

namespace {

TEST(BitmapTest, RowsArePaddedToFourBytes) {
  EXPECT_EQ(TBitmap(1, 1, 1).Stride(), 4u);
  EXPECT_EQ(TBitmap(33, 1, 1).Stride(), 8u);
  EXPECT_EQ(TBitmap(3, 1, 24).Stride(), 12u);
  EXPECT_EQ(TBitmap(5, 1, 16).Stride(), 12u);
  EXPECT_EQ(TBitmap(7, 2, 4).Stride(), 4u);
}

TEST(BitmapTest, UnknownDepthsAndAbsurdSizesAreRefused) {
  EXPECT_THROW(TBitmap(1, 1, 2), CPictureError);
  EXPECT_THROW(TBitmap(1, 1, 0), CPictureError);
  EXPECT_THROW(TBitmap(-1, 1, 24), CPictureError);
  EXPECT_THROW(TBitmap(TBitmap::kMaxSide + 1, 1, 8), CPictureError);
  EXPECT_THROW(TBitmap(TBitmap::kMaxSide, TBitmap::kMaxSide, 32), CPictureError);
  EXPECT_EQ(TBitmap::PixelBytesFor(TBitmap::kMaxSide, TBitmap::kMaxSide, 32), 0u);
  EXPECT_EQ(TBitmap::PixelBytesFor(10, 10, 24), 320u);
}

TEST(BitmapTest, IndexedPixelsTakeTheirColourFromThePalette) {
  TBitmap one(9, 1, 1);
  one.Palette() = {0x000000, 0xABCDEF};
  one.Row(0)[0] = 0x40;  // pixel 1
  one.Row(0)[1] = 0x80;  // pixel 8
  EXPECT_EQ(one.PixelColor(0, 0), 0x000000u);
  EXPECT_EQ(one.PixelColor(1, 0), 0xABCDEFu);
  EXPECT_EQ(one.PixelColor(8, 0), 0xABCDEFu);

  TBitmap four(3, 1, 4);
  four.Palette()[5] = 0x123456;
  four.Row(0)[1] = 0x50;  // pixel 2 is index 5
  EXPECT_EQ(four.PixelColor(2, 0), 0x123456u);
}

TEST(BitmapTest, IndexBeyondAShortPaletteIsBlack) {
  TBitmap picture(1, 1, 8);
  picture.Palette().resize(2);
  picture.Row(0)[0] = 200;
  EXPECT_EQ(picture.PixelColor(0, 0), 0u);
}

TEST(BitmapTest, SixteenBitPixelsFollowTheMasks) {
  TBitmap picture(2, 1, 16);
  const std::uint16_t white555 = 0x7FFF;
  std::memcpy(picture.Row(0), &white555, 2);
  EXPECT_EQ(picture.PixelColor(0, 0), 0xFFFFFFu);
  picture.SetMasks({0xF800, 0x07E0, 0x001F});  // 5-6-5
  const std::uint16_t green565 = 0x07E0;
  std::memcpy(picture.Row(0) + 2, &green565, 2);
  EXPECT_EQ(picture.PixelColor(1, 0), 0x00FF00u);
  EXPECT_TRUE(picture.HasCustomMasks());
}

TEST(BitmapTest, TwentyFourAndThirtyTwoBitPixelsAreBlueGreenRed) {
  TBitmap deep(1, 1, 24);
  deep.Row(0)[0] = 0x11;
  deep.Row(0)[1] = 0x22;
  deep.Row(0)[2] = 0x33;
  EXPECT_EQ(deep.PixelColor(0, 0), 0x332211u);
  TBitmap deeper(1, 1, 32);
  const std::uint32_t pixel = 0xFF445566;  // the fourth byte is not a colour
  std::memcpy(deeper.Row(0), &pixel, 4);
  EXPECT_EQ(deeper.PixelColor(0, 0), 0x445566u);
  EXPECT_FALSE(deeper.HasCustomMasks());
}

TEST(BitmapTest, SystemBitmapRoundTripKeepsEveryColour) {
  TBitmap picture(6, 5, 8);
  for (int i = 0; i < 256; ++i)
    picture.Palette()[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i * 0x010305);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(y * 37 + x * 11);
  }
  UniqueBitmap handle = picture.CreateHandle();
  ASSERT_TRUE(handle);
  TBitmap back;
  ASSERT_TRUE(back.AssignFromHandle(handle.get()));
  EXPECT_EQ(back.BitsPerPixel(), 32);
  EXPECT_EQ(back.ToRgb32(), picture.ToRgb32());
}

TEST(BitmapTest, NoHandleLeavesThePictureUnchanged) {
  TBitmap picture(2, 2, 24);
  EXPECT_FALSE(picture.AssignFromHandle(nullptr));
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_FALSE(TBitmap().CreateHandle());
}

}  // namespace

namespace {

TEST(BitmapMaskTest, AMaskWithAGapGivesColoursWithinTheirChannels) {
  // A damaged image's red mask, bits 16 to 23 and 28: its red must not spill into the
  // byte above it.
  TBitmap picture(1, 1, 32);
  picture.SetMasks({0x10FF0000, 0x0000FF00, 0x000000FF});
  std::fill_n(picture.Row(0), 4, std::uint8_t{0xFF});
  EXPECT_EQ(picture.PixelColor(0, 0) & 0xFF000000u, 0u);
  EXPECT_EQ(picture.PixelColor(0, 0) & 0x0000FFFFu, 0xFFFFu);
}

TEST(BitmapDibTest, APackedDibV5WithAlphaGoesOutAndComesBackEqual) {
  TBitmap picture(3, 2, 32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) picture.Row(y)[x * 4 + 3] = static_cast<std::uint8_t>(x * 100 + y);
  }
  ASSERT_TRUE(picture.SetHasAlpha(true));
  EXPECT_EQ(TBitmap::FromPackedDib(picture.ToPackedDibV5()), picture);
  EXPECT_FALSE(TBitmap(2, 2, 24).SetHasAlpha(true));
  EXPECT_FALSE(TBitmap::FromPackedDib(std::vector<std::uint8_t>{40, 0, 0}));
}

}  // namespace

namespace {

TEST(BitmapScaleTest, APictureWithAlphaIsScaledAsItShowsOnWhite) {
  TBitmap picture(2, 1, 32);
  picture.Row(0)[3] = 0;  // a clear black pixel: white
  picture.Row(0)[4 + 2] = 0xFF;
  picture.Row(0)[4 + 3] = 0xFF;  // an opaque red one: red
  ASSERT_TRUE(picture.SetHasAlpha(true));
  const TBitmap scaled = picture.ScaledByAreaAverage(2, 1);
  EXPECT_EQ(scaled.PixelColor(0, 0), 0xFFFFFFu);
  EXPECT_EQ(scaled.PixelColor(1, 0), 0xFF0000u);
}

}  // namespace
