// A text clip on its own, against the clipboard.

#include "tests/support/store_fixture.h"

namespace {

class TextItemTest : public ::testing::Test {
 protected:
  CClipboardDriver driver;
  CTextItem clip;
};

TEST_F(TextItemTest, NewClipIsStampedWithTheCurrentTime) {
  const double before = CurrentDayCount();
  CTextItem fresh;
  EXPECT_GE(fresh.created, before);
  EXPECT_LE(fresh.created, CurrentDayCount());
  EXPECT_EQ(fresh.kind, kTextKind);
  EXPECT_EQ(fresh.id, 0);
}

TEST_F(TextItemTest, NothingToReadLeavesTheClipUnchanged) {
  clip.text = u"before";
  EXPECT_FALSE(clip.ReadFromClipboard(driver.OwnerWindow()));
  driver.CopyFormats({{RegisterClipboardFormatA("Quillery Test Other"), {0}}});
  EXPECT_FALSE(clip.ReadFromClipboard(driver.OwnerWindow()));
  EXPECT_EQ(clip.text, u"before");
}

TEST_F(TextItemTest, WritePlacesUnicodeTextThatReadsBackAsAnsiToo) {
  clip.text = Utf16("naïve ½");
  ASSERT_TRUE(clip.WriteToClipboard(driver.OwnerWindow()));
  EXPECT_EQ(driver.ReadUnicodeText(), clip.text);
  EXPECT_EQ(driver.ReadAnsiText(), "na\xEFve \xBD");
}

TEST_F(TextItemTest, CharactersOutsideTheAnsiCodePageBecomeQuestionMarksInAnsiOnly) {
  clip.text = Utf16("Ж x");
  ASSERT_TRUE(clip.WriteToClipboard(driver.OwnerWindow()));
  EXPECT_EQ(driver.ReadUnicodeText(), clip.text);
  EXPECT_EQ(driver.ReadAnsiText(), "? x");
}

TEST_F(TextItemTest, WriteAndReadRoundTripsLongText) {
  clip.text = std::u16string(100000, u'q') + Utf16("…end");
  ASSERT_TRUE(clip.WriteToClipboard(driver.OwnerWindow()));
  CTextItem back;
  ASSERT_TRUE(back.ReadFromClipboard(driver.OwnerWindow()));
  EXPECT_EQ(back.text, clip.text);
  EXPECT_EQ(back.textLength, static_cast<int>(clip.text.size()));
}

TEST_F(TextItemTest, WriteToAClipboardHeldOpenFailsAndLeavesItAlone) {
  driver.CopyText(u"theirs");
  clip.text = u"mine";
  {
    auto hold = driver.HoldOpen();
    EXPECT_FALSE(clip.WriteToClipboard(driver.OwnerWindow()));
  }
  EXPECT_EQ(driver.ReadUnicodeText(), u"theirs");
}

TEST_F(TextItemTest, WriteMakesTheOwnerWindowTheClipboardOwner) {
  clip.text = u"owned";
  ASSERT_TRUE(clip.WriteToClipboard(driver.OwnerWindow()));
  EXPECT_EQ(GetClipboardOwner(), driver.OwnerWindow());
}

}  // namespace
