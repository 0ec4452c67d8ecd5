// Device-dependent bitmaps: what the program relies on when it converts pictures.

#include <gtest/gtest.h>

#include <vector>

#include "platform/handles.h"

namespace {

BITMAPINFO Info32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TEST(BitmapHandleTest, DescribesItsSize) {
  const std::vector<std::uint32_t> pixels(6, 0x00808080);
  BITMAPINFO info = Info32(3, -2);
  ScreenDc screen;
  UniqueBitmap bitmap(CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, pixels.data(), &info,
                                     DIB_RGB_COLORS));
  ASSERT_TRUE(bitmap);
  BITMAP description{};
  ASSERT_EQ(GetObject(bitmap.get(), sizeof description, &description),
            static_cast<int>(sizeof description));
  EXPECT_EQ(description.bmWidth, 3);
  EXPECT_EQ(description.bmHeight, 2);
}

TEST(BitmapHandleTest, BottomUpAndTopDownRowsAreOrderedAsAsked) {
  const std::vector<std::uint32_t> topDown = {0x00FF0000, 0x000000FF};  // red row over blue
  BITMAPINFO in = Info32(1, -2);
  ScreenDc screen;
  UniqueBitmap bitmap(
      CreateDIBitmap(screen.get(), &in.bmiHeader, CBM_INIT, topDown.data(), &in, DIB_RGB_COLORS));
  std::vector<std::uint32_t> out(2);
  BITMAPINFO bottomUp = Info32(1, 2);
  ASSERT_EQ(GetDIBits(screen.get(), bitmap.get(), 0, 2, out.data(), &bottomUp, DIB_RGB_COLORS), 2);
  EXPECT_EQ(out[0] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(out[1] & 0xFFFFFF, 0xFF0000u);
}

TEST(BitmapHandleTest, TwentyFourBitSourceIsReadWithPaddedRows) {
  // One pixel a row, padded to four bytes: blue-green-red then a pad byte.
  const std::uint8_t rows[] = {0x01, 0x02, 0x03, 0xEE, 0x04, 0x05, 0x06, 0xEE};
  BITMAPINFO in = Info32(1, -2);
  in.bmiHeader.biBitCount = 24;
  ScreenDc screen;
  UniqueBitmap bitmap(
      CreateDIBitmap(screen.get(), &in.bmiHeader, CBM_INIT, rows, &in, DIB_RGB_COLORS));
  std::vector<std::uint32_t> out(2);
  BITMAPINFO query = Info32(1, -2);
  ASSERT_EQ(GetDIBits(screen.get(), bitmap.get(), 0, 2, out.data(), &query, DIB_RGB_COLORS), 2);
  EXPECT_EQ(out[0] & 0xFFFFFF, 0x030201u);
  EXPECT_EQ(out[1] & 0xFFFFFF, 0x060504u);
}

}  // namespace
