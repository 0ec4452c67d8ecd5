// The content the measuring tools offer must be what it claims, or their figures measure a
// refusal of malformed bytes: read back here with the program's own readers.

#include <gtest/gtest.h>

#include <vector>

#include "bench/program/hostile_content.h"
#include "foundation/bitmap.h"
#include "store/file_list_item.h"

namespace {

TEST(HostileContentTest, TheOneBitPictureReadsAsStripesOfItsSize) {
  const std::vector<std::uint8_t> dib = OneBitDib(37, 5);
  EXPECT_EQ(dib.size(), OneBitDibBytes(37, 5));
  const auto size = TBitmap::SizeOfPackedDib(dib);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 37);
  EXPECT_EQ(size->height, 5);
  const auto picture = TBitmap::FromPackedDib(dib);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->BitsPerPixel(), 1);
  EXPECT_EQ(picture->PixelColor(0, 0), 0xFFFFFFu);
  EXPECT_EQ(picture->PixelColor(4, 4), 0u);
  EXPECT_EQ(picture->PixelColor(8, 2), 0xFFFFFFu);
}

TEST(HostileContentTest, TheFullSizePictureIsBeyondWhatThe32BitFormMayHold) {
  // 128 MiB of rows and the headers: small on the clipboard, 4 GiB at 32 bits a pixel.
  EXPECT_EQ(OneBitDibBytes(32768, 32768), (std::size_t{128} << 20) + 48);
  EXPECT_FALSE(TBitmap::FitsAt32Bits(32768, 32768));
}

TEST(HostileContentTest, TheDropListHoldsOneLetterPathsInTheirOrder) {
  std::size_t count = 0;
  const std::vector<std::uint8_t> block = OneLetterDropList(100, &count);
  EXPECT_EQ(count, 39u);  // (100 - 20 - 1) / 2
  const std::vector<std::u16string> paths = PathsOfDropList(block);
  ASSERT_EQ(paths.size(), count);
  EXPECT_EQ(paths.front(), u"a");
  EXPECT_EQ(paths[25], u"z");
  EXPECT_EQ(paths[26], u"a");
  EXPECT_TRUE(DropListHasMorePathsThan(block, count - 1));
  EXPECT_FALSE(DropListHasMorePathsThan(block, count));
}

}  // namespace
