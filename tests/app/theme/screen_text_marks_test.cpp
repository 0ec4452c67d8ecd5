// Finding texts in a screenshot and judging their contrast: the measure the end-to-end
// contrast test relies on, checked on pictures whose answer is known.

#include "tests/support/screen_text_marks.h"

#include <gtest/gtest.h>

#include "app/theme/contrast.h"

namespace {

ScreenImage Filled(int width, int height, std::uint32_t colour) {
  ScreenImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height, colour);
  return image;
}

void Set(ScreenImage& image, int x, int y, std::uint32_t colour) {
  image.pixels[static_cast<std::size_t>(y) * image.width + x] = colour;
}

// A letter-like shape 5 wide and 9 high at (x, y): an "E", with a half-tone pixel at the end
// of each bar as anti-aliasing leaves them.
void DrawLetter(ScreenImage& image, int x, int y, std::uint32_t ink, std::uint32_t edge) {
  for (int row = 0; row < 9; ++row) Set(image, x, y + row, ink);
  for (int bar : {0, 4, 8}) {
    for (int column = 1; column < 4; ++column) Set(image, x + column, y + bar, ink);
    Set(image, x + 4, y + bar, edge);
  }
}

ImageRect Whole(const ScreenImage& image) {
  return {0, 0, image.width, image.height};
}

TEST(ScreenTextMarksTest, LettersOfAWordMakeOneMarkAndAWordGapTwo) {
  ScreenImage image = Filled(60, 20, 0xFFFFFF);
  DrawLetter(image, 4, 5, 0x000000, 0x808080);
  DrawLetter(image, 10, 5, 0x000000, 0x808080);  // a column apart: the same word
  DrawLetter(image, 17, 5, 0x000000, 0x808080);  // two columns apart: the next word
  const ScreenTextMarks marks = FindTextMarks(image, Whole(image));
  ASSERT_EQ(marks.texts.size(), 2u);
  EXPECT_EQ(marks.otherMarks, 0);
  EXPECT_EQ(marks.texts[0].bounds.left, 4);
  EXPECT_EQ(marks.texts[0].bounds.right, 15);
  EXPECT_EQ(marks.texts[0].ink, 0x000000u);
  EXPECT_EQ(marks.texts[0].background, 0xFFFFFFu);
  EXPECT_DOUBLE_EQ(marks.texts[0].contrast, 21.0);
}

// Anti-aliasing can leave a thin letter without one pixel of the text's colour; its word
// still has them.
TEST(ScreenTextMarksTest, AThinLetterIsJudgedWithItsWord) {
  ScreenImage image = Filled(40, 20, 0xFFFFFF);
  DrawLetter(image, 4, 5, 0x000000, 0x808080);
  for (int y = 5; y < 14; ++y) Set(image, 10, y, 0xAAAAAA);  // an "l" between two columns
  DrawLetter(image, 12, 5, 0x000000, 0x808080);
  const ScreenTextMarks marks = FindTextMarks(image, Whole(image));
  ASSERT_EQ(marks.texts.size(), 1u);
  EXPECT_DOUBLE_EQ(marks.texts[0].contrast, 21.0);
}

// A quick-paste badge, a divider and the clip's text: the badge is judged on its own.
TEST(ScreenTextMarksTest, TextsOnEachSideOfADividerAreJudgedApart) {
  ScreenImage image = Filled(40, 26, 0xFFFFFF);
  DrawLetter(image, 4, 5, 0xA0A0A0, 0xD0D0D0);
  for (int y = 0; y < 26; ++y) Set(image, 10, y, 0xC0C0C0);
  DrawLetter(image, 12, 5, 0x000000, 0x808080);
  const ScreenTextMarks marks = FindTextMarks(image, Whole(image));
  ASSERT_EQ(marks.texts.size(), 2u);
  EXPECT_EQ(marks.texts[0].ink, 0xA0A0A0u);
  EXPECT_EQ(marks.texts[1].ink, 0x000000u);
  EXPECT_EQ(marks.otherMarks, 1);
}

TEST(ScreenTextMarksTest, PaleGreyTextIsMeasuredAsDrawn) {
  ScreenImage image = Filled(30, 20, 0xFFFFFF);
  DrawLetter(image, 10, 5, 0xA0A0A0, 0xD0D0D0);
  const ScreenTextMarks marks = FindTextMarks(image, Whole(image));
  ASSERT_EQ(marks.texts.size(), 1u);
  EXPECT_EQ(marks.texts[0].ink, 0xA0A0A0u);
  EXPECT_NEAR(marks.texts[0].contrast, ContrastRatio(0xA0A0A0, 0xFFFFFF), 1e-9);
  EXPECT_LT(marks.texts[0].contrast, kMinimumTextContrast);
}

TEST(ScreenTextMarksTest, IconsPicturesAndLinesAreNotJudgedAsText) {
  ScreenImage image = Filled(80, 30, 0xFFFFFF);
  // A picture of many hues.
  for (int y = 4; y < 20; ++y) {
    for (int x = 4; x < 20; ++x) {
      Set(image, x, y,
          (static_cast<std::uint32_t>(x * 15) << 16) | (static_cast<std::uint32_t>(y * 12) << 8) |
              static_cast<std::uint32_t>(255 - x * 10));
    }
  }
  for (int y = 0; y < 30; ++y) Set(image, 0, y, 0x404040);      // the window's frame
  for (int x = 1; x < 80; ++x) Set(image, x, 25, 0xC0C0C0);     // a separator between rows
  for (int y = 2; y < 22; ++y) Set(image, 40, y, 0xC0C0C0);     // a divider within a row
  for (int y = 2; y < 22; y += 2) Set(image, 78, y, 0xCF6905);  // a dotted focus rectangle
  for (int y = 4; y < 16; ++y) {                                // an icon in one hue
    for (int x = 50; x < 64; ++x) Set(image, x, y, 0xA8701C);
  }
  const ScreenTextMarks marks = FindTextMarks(image, Whole(image));
  EXPECT_TRUE(marks.texts.empty());
  EXPECT_EQ(marks.otherMarks, 4 + 10);  // each dot of the focus rectangle a speck
}

TEST(ScreenTextMarksTest, EachScanLineIsJudgedAgainstItsOwnBackground) {
  // A band shaded from top to bottom, as the skin draws a category's row.
  ScreenImage image = Filled(60, 20, 0);
  for (int y = 0; y < 20; ++y) {
    const std::uint32_t shade = 0xF0 - static_cast<std::uint32_t>(y) * 4;
    for (int x = 0; x < 60; ++x) Set(image, x, y, (shade << 16) | (shade << 8) | 0x40);
  }
  DrawLetter(image, 20, 5, 0x202020, 0x202020);
  const ScreenTextMarks marks = FindTextMarks(image, Whole(image));
  ASSERT_EQ(marks.texts.size(), 1u);
  EXPECT_EQ(marks.otherMarks, 0);
  EXPECT_EQ(marks.texts[0].ink, 0x202020u);
  const std::uint32_t behind = marks.texts[0].background;
  EXPECT_EQ(behind & 0xFF, 0x40u);
  EXPECT_NEAR(marks.texts[0].contrast, ContrastRatio(0x202020, behind), 1e-9);
}

TEST(ScreenTextMarksTest, OnlyTheRegionIsLookedAt) {
  ScreenImage image = Filled(60, 20, 0xFFFFFF);
  DrawLetter(image, 4, 5, 0x000000, 0x808080);
  DrawLetter(image, 40, 5, 0xA0A0A0, 0xD0D0D0);
  const ScreenTextMarks marks = FindTextMarks(image, {30, 0, 200, 20});
  ASSERT_EQ(marks.texts.size(), 1u);
  EXPECT_EQ(marks.texts[0].bounds.left, 40);
  EXPECT_EQ(marks.texts[0].ink, 0xA0A0A0u);
}

}  // namespace
