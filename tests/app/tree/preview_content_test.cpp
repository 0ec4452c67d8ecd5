// What the preview shows and where it goes.

#include "app/tree/preview_content.h"

#include <gtest/gtest.h>

#include "foundation/day_count.h"

namespace {

std::u16string Lines(int count, std::u16string_view lineBreak = u"\n") {
  std::u16string text;
  for (int i = 1; i <= count; ++i) text += u"line" + std::u16string(lineBreak);
  return text;
}

TEST(PreviewContentTest, TheExcerptKeepsTwentyLinesAndTwoThousandUnits) {
  EXPECT_EQ(PreviewExcerpt(u"one\ntwo\r\nthree\rfour"), u"one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(PreviewExcerpt(Lines(20)), Lines(19, u"\r\n") + u"line");
  EXPECT_EQ(PreviewExcerpt(Lines(25)), Lines(19, u"\r\n") + u"line\u2026");
  EXPECT_EQ(PreviewExcerpt(std::u16string(2000, u'x')), std::u16string(2000, u'x'));
  EXPECT_EQ(PreviewExcerpt(std::u16string(2500, u'x')), std::u16string(2000, u'x') + u"\u2026");
  EXPECT_EQ(PreviewExcerpt(u"text\n\n\n"), u"text");
}

TEST(PreviewContentTest, TheExcerptNeverSplitsASurrogatePair) {
  const std::u16string text = std::u16string(1999, u'x') + u"\U0001F600" + u"more";
  EXPECT_EQ(PreviewExcerpt(text), std::u16string(1999, u'x') + u"\u2026");
}

TEST(PreviewContentTest, PicturesFitThe320By240BoxKeepingTheirProportionsAndAreNotEnlarged) {
  const PreviewSize box{kPreviewPictureWidth, kPreviewPictureHeight};
  EXPECT_EQ(FitPicture(1920, 1080, box), (PreviewSize{320, 180}));
  EXPECT_EQ(FitPicture(480, 960, box), (PreviewSize{120, 240}));
  EXPECT_EQ(FitPicture(100, 50, box), (PreviewSize{100, 50}));
  EXPECT_EQ(FitPicture(32768, 1, box), (PreviewSize{320, 1}));
  EXPECT_EQ(FitPicture(0, 50, box), (PreviewSize{}));
  EXPECT_EQ(PictureSizeText(640, 480), u"640 \u00D7 480 pixels");
}

TEST(PreviewContentTest, DayCountsGiveBackTheirLocalTime) {
  SYSTEMTIME time{};
  time.wYear = 2026;
  time.wMonth = 12;
  time.wDay = 9;
  time.wHour = 14;
  time.wMinute = 3;
  time.wSecond = 59;
  time.wMilliseconds = 250;
  const SYSTEMTIME back = SystemTimeFromDayCount(DayCountFromSystemTime(time));
  EXPECT_EQ(back.wYear, 2026);
  EXPECT_EQ(back.wMonth, 12);
  EXPECT_EQ(back.wDay, 9);
  EXPECT_EQ(back.wHour, 14);
  EXPECT_EQ(back.wMinute, 3);
  EXPECT_EQ(back.wSecond, 59);
  EXPECT_EQ(back.wMilliseconds, 250);
  const SYSTEMTIME leap =
      SystemTimeFromDayCount(DayCountFromSystemTime({2024, 2, 0, 29, 0, 0, 0, 0}));
  EXPECT_EQ(leap.wMonth, 2);
  EXPECT_EQ(leap.wDay, 29);
  const SYSTEMTIME almostMidnight = SystemTimeFromDayCount(46000.9999999999);
  EXPECT_EQ(almostMidnight.wHour, 0);  // the next day, never 24:00
}

TEST(PreviewContentTest, ThePreviewGoesLeftOfTheListOrRightWhereThereIsNoRoom) {
  const PreviewRect work{0, 0, 1920, 1040};
  const PreviewSize size{300, 200};
  EXPECT_EQ(PlacePreview({1600, 30, 1800, 400}, 100, size, work),
            (PreviewRect{1296, 100, 1596, 300}));
  EXPECT_EQ(PlacePreview({10, 30, 210, 400}, 100, size, work), (PreviewRect{214, 100, 514, 300}));
  // Near the bottom it moves up to stay inside the work area.
  EXPECT_EQ(PlacePreview({1600, 600, 1800, 1000}, 950, size, work).bottom, 1040);
}

}  // namespace
