// The skin-row canvas against the real GDI, under Wine: the band stretched over the row, the
// row bitmap kept or made anew, and the row copied to a target as it is or stretched.

#include "foundation/win32/skin_row_canvas.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/skin_image.h"
#include "platform/dib_info.h"

namespace {

constexpr int kRowHeight = kSkinBandRows;

COLORREF SkinColour(int band, int row) {
  const std::uint32_t rgb = SkinRowColour(band * kSkinBandRows + row);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

BITMAP SelectedBitmap(HDC dc) {
  BITMAP bitmap{};
  GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bitmap), &bitmap);
  return bitmap;
}

// A 24-bit target, filled with one colour, as a tree's paint DC would be drawn on.
class CTarget {
 public:
  CTarget(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    const BITMAPINFO info = TopDownDibInfo(width, height, 24);
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectObject(dc_.get(), bitmap_.get());
    const RECT all{0, 0, width, height};
    UniqueBrush brush(CreateSolidBrush(kBackground));
    FillRect(dc_.get(), &all, brush.get());
  }
  HDC get() const { return dc_.get(); }

  static constexpr COLORREF kBackground = RGB(10, 200, 30);

 private:
  UniqueBitmap bitmap_;
  UniqueMemoryDc dc_;
};

class SkinRowCanvasTest : public ::testing::Test {
 protected:
  TBitmap skin = MakeSkinImage();
  CSkinRowCanvas canvas{skin, kRowHeight};
};

TEST_F(SkinRowCanvasTest, ABandFillsTheWholeRowPixelRowByPixelRow) {
  ASSERT_TRUE(canvas.Usable());
  ASSERT_TRUE(canvas.SizeTo(130));  // wider than the skin: stretched sideways
  for (int band = 0; band < kSkinBands; ++band) {
    canvas.DrawSkinBand(band);
    for (int y : {0, 1, 12, kRowHeight - 1}) {
      EXPECT_EQ(GetPixel(canvas.Dc(), 0, y), SkinColour(band, y)) << band << "," << y;
      EXPECT_EQ(GetPixel(canvas.Dc(), 129, y), SkinColour(band, y)) << band << "," << y;
    }
  }
}

TEST_F(SkinRowCanvasTest, TheRowBitmapIsMadeAnewOnlyForAnotherWidth) {
  ASSERT_TRUE(canvas.SizeTo(80));
  const HGDIOBJ first = GetCurrentObject(canvas.Dc(), OBJ_BITMAP);
  EXPECT_TRUE(canvas.SizeTo(80));
  EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BITMAP), first);
  ASSERT_TRUE(canvas.SizeTo(200));
  const BITMAP row = SelectedBitmap(canvas.Dc());
  EXPECT_EQ(row.bmWidth, 200);
  EXPECT_EQ(row.bmHeight, kRowHeight);
  EXPECT_EQ(row.bmBitsPixel, 24);
  EXPECT_EQ(canvas.Width(), 200);
}

TEST_F(SkinRowCanvasTest, TextOnTheRowLeavesTheSkinBetweenTheGlyphs) {
  ASSERT_TRUE(canvas.SizeTo(100));
  canvas.DrawSkinBand(3);
  SetBkColor(canvas.Dc(), RGB(1, 2, 3));
  // Spaces have no ink: only an opaque background would show where they stand.
  TextOutW(canvas.Dc(), 0, 0, L"    ", 4);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(GetPixel(canvas.Dc(), x, 4), SkinColour(3, 4)) << x;
}

TEST_F(SkinRowCanvasTest, ARowOfTheCanvasHeightIsCopiedAsItIs) {
  ASSERT_TRUE(canvas.SizeTo(60));
  canvas.DrawSkinBand(1);
  CTarget target(80, 40);
  canvas.CopyTo(target.get(), RECT{10, 5, 70, 5 + kRowHeight});
  for (int y = 0; y < kRowHeight; ++y) {
    EXPECT_EQ(GetPixel(target.get(), 10, 5 + y), SkinColour(1, y)) << y;
  }
  EXPECT_EQ(GetPixel(target.get(), 9, 5), CTarget::kBackground);
  EXPECT_EQ(GetPixel(target.get(), 70, 5), CTarget::kBackground);
  EXPECT_EQ(GetPixel(target.get(), 10, 5 + kRowHeight), CTarget::kBackground);
}

TEST_F(SkinRowCanvasTest, ARowOfAnotherHeightIsStretchedToIt) {
  ASSERT_TRUE(canvas.SizeTo(60));
  canvas.DrawSkinBand(2);
  CTarget target(80, 70);
  canvas.CopyTo(target.get(), RECT{0, 0, 60, 2 * kRowHeight});
  EXPECT_EQ(GetPixel(target.get(), 30, 0), SkinColour(2, 0));
  EXPECT_EQ(GetPixel(target.get(), 30, 2 * kRowHeight - 1), SkinColour(2, kRowHeight - 1));
  EXPECT_EQ(GetPixel(target.get(), 30, 2 * kRowHeight), CTarget::kBackground);
}

}  // namespace
