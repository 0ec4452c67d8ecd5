// A picture clip on its own, against the clipboard.

#include <cstring>

#include "tests/support/store_fixture.h"

namespace {

class ImageItemTest : public ::testing::Test {
 protected:
  CClipboardDriver driver;
  CImageItem clip;
};

TBitmap Gradient(int width, int height) {
  TBitmap picture(width, height, 32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t colour = static_cast<std::uint32_t>(x * 9) << 16 |
                                   static_cast<std::uint32_t>(y * 5) << 8 |
                                   static_cast<std::uint32_t>((x + y) & 0xFF);
      std::memcpy(picture.Row(y) + x * 4, &colour, 4);
    }
  }
  return picture;
}

TEST_F(ImageItemTest, ReadCopiesTheClipboardsBitmap) {
  const TBitmap picture = Gradient(17, 9);
  ASSERT_TRUE(driver.CopyBitmap(picture));
  ASSERT_TRUE(clip.ReadFromClipboard(driver.OwnerWindow()));
  ASSERT_NE(clip.Picture(), nullptr);
  EXPECT_EQ(clip.Picture()->Width(), 17);
  EXPECT_EQ(clip.Picture()->Height(), 9);
  EXPECT_EQ(clip.Picture()->ToRgb32(), picture.ToRgb32());
}

TEST_F(ImageItemTest, NoBitmapOnTheClipboardIsNoPicture) {
  driver.CopyText(u"text only");
  EXPECT_FALSE(clip.ReadFromClipboard(driver.OwnerWindow()));
  EXPECT_EQ(clip.Picture(), nullptr);
}

TEST_F(ImageItemTest, WriteWithoutAPictureFailsAndLeavesTheClipboardAlone) {
  driver.CopyText(u"kept");
  EXPECT_FALSE(clip.WriteToClipboard(driver.OwnerWindow()));
  EXPECT_EQ(driver.ReadUnicodeText(), u"kept");
}

TEST_F(ImageItemTest, PaletteImageIsPlacedWithItsColours) {
  TBitmap picture(4, 2, 8);
  picture.Palette()[1] = 0xFF8000;
  picture.Palette()[2] = 0x0000FF;
  picture.Row(0)[1] = 1;
  picture.Row(1)[3] = 2;
  clip.SetPicture(TBitmap(picture));
  ASSERT_TRUE(clip.WriteToClipboard(driver.OwnerWindow()));
  auto back = driver.ReadBitmap();
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->ToRgb32(), picture.ToRgb32());
}

}  // namespace
