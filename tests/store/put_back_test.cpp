// Putting clips back on the clipboard, including the capture that the write itself causes.

#include "tests/support/store_fixture.h"

namespace {

using PutBackTest = StoreTest;

int IdOf(const CDataBase& store, const std::u16string& text) {
  for (const auto& clip : store.Items()) {
    const auto* item = dynamic_cast<const CTextItem*>(clip.get());
    if (item != nullptr && item->text == text) return item->id;
  }
  return 0;
}

TEST_F(PutBackTest, SecondHistoryClipBecomesTheFirstWithANewId) {
  CopyTexts({u"older", u"newer"});
  const int oldId = IdOf(store, u"older");
  EXPECT_TRUE(store.PutItemToClipboard(oldId));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"older", u"newer"}));
  EXPECT_NE(Head().id, oldId);
  EXPECT_EQ(store.FindItem(oldId), nullptr);
  EXPECT_EQ(driver.ReadUnicodeText(), u"older");
}

TEST_F(PutBackTest, PutAtFullCapacityKeepsTheHistoryFull) {
  CopyTexts(NumberedTexts(12));
  EXPECT_TRUE(store.PutNthItemToClipboard(11, kHistoryCategoryId));
  EXPECT_EQ(History().size(), 12u);
  EXPECT_EQ(History().front(), u"clip 1");
  EXPECT_EQ(History().back(), u"clip 2");
}

TEST_F(PutBackTest, NoteStaysAndACopyArrivesInTheHistory) {
  CopyTexts({u"note", u"recent"});
  ASSERT_TRUE(store.MoveItem(IdOf(store, u"note"), kNotesCategoryId));
  const int noteId = IdOf(store, u"note");
  EXPECT_TRUE(store.PutNthItemToClipboard(0, kNotesCategoryId));
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"note"});
  EXPECT_EQ(store.FindItem(noteId)->categoryId, kNotesCategoryId);
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"note", u"recent"}));
}

TEST_F(PutBackTest, TextComesBackAsUnicodeAndAsAnsi) {
  CopyTexts({Utf16("Grüße, €5 — ok")});
  driver.OnChange(nullptr);
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  EXPECT_EQ(driver.ReadUnicodeText(), Utf16("Grüße, €5 — ok"));
  EXPECT_EQ(driver.ReadAnsiText(),
            "Gr\xFC\xDF"
            "e, \x80"
            "5 \x97 ok");
}

TEST_F(PutBackTest, PictureComesBackWithEqualPixels) {
  TBitmap picture(5, 4, 24);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 15; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(y * 40 + x * 7);
  }
  ASSERT_TRUE(driver.CopyBitmap(picture));
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  auto back = driver.ReadBitmap();
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->ToRgb32(), picture.ToRgb32());
  EXPECT_EQ(store.Items().size(), 1u);
}

TEST_F(PutBackTest, PictureIsPlacedAsBitmapOnly) {
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(2, 2, 32)));
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  EXPECT_TRUE(driver.Offers(CF_BITMAP));
  EXPECT_FALSE(driver.Offers(CF_UNICODETEXT));
  EXPECT_FALSE(driver.Offers(CF_TEXT));
}

TEST_F(PutBackTest, UnknownIdsAndPositionsAreRefused) {
  CopyTexts({u"only"});
  EXPECT_FALSE(store.PutItemToClipboard(12345));
  EXPECT_FALSE(store.PutNthItemToClipboard(1, kHistoryCategoryId));
  EXPECT_FALSE(store.PutNthItemToClipboard(0, kNotesCategoryId));
  EXPECT_FALSE(store.PutNthItemToClipboard(-1, kHistoryCategoryId));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"only"});
}

TEST_F(PutBackTest, InactiveStorePutsNothing) {
  CDataBase inactive;
  EXPECT_FALSE(inactive.PutItemToClipboard(CDataBase::kFirstItemId));
  EXPECT_FALSE(inactive.PutNthItemToClipboard(0, kHistoryCategoryId));
}

TEST_F(PutBackTest, ClipboardThatCannotBeOpenedKeepsTheClipInPlace) {
  CopyTexts({u"a", u"b", u"c"});
  const int id = IdOf(store, u"b");
  {
    auto hold = driver.HoldOpen();
    EXPECT_FALSE(store.PutItemToClipboard(id));
  }
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"c", u"b", u"a"}));
  EXPECT_NE(store.FindItem(id), nullptr);
  EXPECT_EQ(driver.ReadUnicodeText(), u"c");
}

TEST_F(PutBackTest, FailedAllocationKeepsTheClipAndTheClipboard) {
  if (!CClipboardDriver::CanFailAllocations()) GTEST_SKIP() << "memory cannot be exhausted here";
  CopyTexts({u"a", u"b"});
  const int id = IdOf(store, u"a");
  CClipboardDriver::FailNextAllocations(1);
  EXPECT_FALSE(store.PutItemToClipboard(id));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"b", u"a"}));
  EXPECT_EQ(store.FindItem(id)->id, id);
  EXPECT_EQ(driver.ReadUnicodeText(), u"b");
}

TEST_F(PutBackTest, FailedWriteOfTheLastClipPutsItBackAtTheTail) {
  CopyTexts({u"a", u"b"});
  const int id = IdOf(store, u"a");
  auto hold = driver.HoldOpen();
  EXPECT_FALSE(store.PutNthItemToClipboard(1, kHistoryCategoryId));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"b", u"a"}));
  EXPECT_EQ(store.Items().back()->id, id);
}

}  // namespace
