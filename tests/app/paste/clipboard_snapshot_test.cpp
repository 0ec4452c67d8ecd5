// The clipboard around a "Paste as": the text that passes through it is not kept as a clip,
// and what the clipboard held comes back, formats and all, without a clip of its own.

#include "app/paste/clipboard_snapshot.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/store_fixture.h"

namespace {

class ClipboardSnapshotTest : public StoreTest {
 protected:
  UINT Html() const { return RegisterClipboardFormatA("HTML Format"); }
  std::vector<std::uint8_t> HtmlBytes() const {
    return {'<', 'b', '>', 'x', '<', '/', 'b', '>', 0};
  }

  // Another program copies a text with its HTML form.
  void CopyRichText() {
    const std::u16string text = u"kept text";
    std::vector<std::uint8_t> textBytes(
        reinterpret_cast<const std::uint8_t*>(text.c_str()),
        reinterpret_cast<const std::uint8_t*>(text.c_str()) + (text.size() + 1) * sizeof(char16_t));
    ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, textBytes}, {Html(), HtmlBytes()}}));
  }
};

TEST_F(ClipboardSnapshotTest, ThePastedTextIsNoClipAndTheContentBeforeComesBackWhole) {
  CopyTexts({u"older"});
  CopyRichText();
  const auto historyBefore = History();
  CClipboardSnapshot before;
  ASSERT_EQ(before.Take(driver.OwnerWindow()), CClipboardSnapshot::ETaken::kTaken);

  ASSERT_TRUE(PutPasteAsText(driver.OwnerWindow(), u"KEPT TEXT"));
  EXPECT_EQ(driver.ReadUnicodeText(), u"KEPT TEXT");
  EXPECT_EQ(History(), historyBefore);

  ASSERT_TRUE(before.Restore(driver.OwnerWindow()));
  EXPECT_EQ(driver.ReadUnicodeText(), u"kept text");
  EXPECT_EQ(driver.ReadFormat(Html()), HtmlBytes());
  EXPECT_EQ(History(), historyBefore);
}

TEST_F(ClipboardSnapshotTest, AContentPutBackIsNoNewCopyEvenWhenTheHistoryHasItNoMore) {
  CopyTexts({u"gone from the history"});
  CClipboardSnapshot before;
  ASSERT_EQ(before.Take(driver.OwnerWindow()), CClipboardSnapshot::ETaken::kTaken);
  store.DeleteItems(std::vector{store.Items().front()->id});
  ASSERT_TRUE(PutPasteAsText(driver.OwnerWindow(), u"GONE FROM THE HISTORY"));
  ASSERT_TRUE(before.Restore(driver.OwnerWindow()));
  EXPECT_EQ(driver.ReadUnicodeText(), u"gone from the history");
  EXPECT_TRUE(History().empty());
}

TEST_F(ClipboardSnapshotTest, AnEmptyClipboardStaysEmpty) {
  ASSERT_TRUE(driver.Clear());
  CClipboardSnapshot before;
  ASSERT_EQ(before.Take(driver.OwnerWindow()), CClipboardSnapshot::ETaken::kTaken);
  EXPECT_EQ(before.FormatCount(), 0u);
  ASSERT_TRUE(PutPasteAsText(driver.OwnerWindow(), u"X"));
  ASSERT_TRUE(before.Restore(driver.OwnerWindow()));
  EXPECT_EQ(CountClipboardFormats(), 0);
  EXPECT_TRUE(History().empty());
}

TEST_F(ClipboardSnapshotTest, AClipboardHeldByAnotherProgramIsReportedNotTaken) {
  CopyTexts({u"held"});
  const auto hold = driver.HoldOpen(CClipboardDriver::kForever);
  CClipboardSnapshot before;
  EXPECT_EQ(before.Take(driver.OwnerWindow()), CClipboardSnapshot::ETaken::kUnavailable);
  EXPECT_FALSE(PutPasteAsText(driver.OwnerWindow(), u"HELD"));
}

}  // namespace
