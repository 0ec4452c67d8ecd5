#include <gtest/gtest.h>

#include "foundation/caption.h"

namespace {

TEST(CaptionTest, TrimsControlCharactersAndSpacesAtBothEnds) {
  EXPECT_EQ(MakeCaption(u"\t\r\n  hello world \x01\x1F "), u"hello world");
  EXPECT_EQ(MakeCaption(u" \t "), u"");
  EXPECT_EQ(MakeCaption(u""), u"");
}

TEST(CaptionTest, KeepsInnerBlanksAndCharactersAbove32) {
  EXPECT_EQ(MakeCaption(u"a\r\nb"), u"a\r\nb");
  EXPECT_EQ(MakeCaption(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");
}

TEST(CaptionTest, TakesTheFirst200UnitsBeforeTrimming) {
  const std::u16string text = std::u16string(199, u'a') + u" b";
  EXPECT_EQ(MakeCaption(text), std::u16string(199, u'a'));
  EXPECT_EQ(MakeCaption(std::u16string(300, u'z')).size(), 200u);
}

TEST(CaptionTest, NeverCutsASurrogatePairInHalf) {
  const std::u16string emoji = u"\U0001F600";
  const std::u16string text = std::u16string(199, u'a') + emoji + u"tail";
  EXPECT_EQ(MakeCaption(text), std::u16string(199, u'a'));
  const std::u16string fits = std::u16string(198, u'a') + emoji + u"tail";
  EXPECT_EQ(MakeCaption(fits), std::u16string(198, u'a') + emoji);
}

TEST(CaptionTest, TextOfExactlyTheLimitEndingInAHighSurrogateIsKept) {
  // Nothing follows to pair it with, so there is no pair to split.
  const std::u16string text = std::u16string(199, u'a') + u'\xD83D';
  EXPECT_EQ(MakeCaption(text), text);
}

}  // namespace
