// One clip per content: a copy of what an older history clip holds brings that clip to the
// head instead of keeping a second one, unless the limits keep duplicates.

#include <gtest/gtest.h>

#include "foundation/content_digest.h"
#include "store/data_journal.h"
#include "store/file_list_item.h"
#include "tests/support/store_fixture.h"

namespace {

class OneClipPerContentTest : public StoreTest {
 protected:
  void KeepDuplicates(bool keep) {
    CCaptureRules rules = store.CaptureRules();
    rules.keepDuplicates = keep;
    store.SetCaptureRules(rules);
  }

  // As another program: text with an HTML form beside it.
  bool CopyTextWithHtml(std::u16string text, const std::string& html) {
    text.push_back(u'\0');
    const auto* units = reinterpret_cast<const std::uint8_t*>(text.data());
    const UINT htmlFormat = RegisterClipboardFormatA("HTML Format");
    return driver.CopyFormats({{CF_UNICODETEXT, {units, units + text.size() * 2}},
                               {htmlFormat, {html.begin(), html.end()}}});
  }

  bool CopyFiles(const std::vector<std::u16string>& paths) {
    return driver.CopyFormats({{CF_HDROP, DropListOf(paths)}});
  }

  CBaseItem* FindText(const std::u16string& text) {
    for (const auto& clip : store.Items()) {
      if (clip->PlainText() == text) return clip.get();
    }
    return nullptr;
  }
};

TEST_F(OneClipPerContentTest, TextWithFormatsCopiedAgainMovesTheOlderClipWithItsHotKey) {
  ASSERT_TRUE(CopyTextWithHtml(u"styled", "<b>styled</b>"));
  CBaseItem* styled = store.Items().front().get();
  styled->hotKey = 0x4031;
  styled->created = 1.0;
  const int oldId = styled->id;
  CopyTexts({u"between"});
  ASSERT_TRUE(CopyTextWithHtml(u"styled", "<b>styled</b>"));

  EXPECT_EQ(History(), (std::vector<std::u16string>{u"styled", u"between"}));
  EXPECT_EQ(&Head(), styled);  // the same clip, not a copy of it
  EXPECT_GT(Head().id, store.Items().back()->id);
  EXPECT_EQ(store.FindItem(oldId), nullptr);
  EXPECT_EQ(Head().hotKey, 0x4031);
  EXPECT_GT(Head().created, 1.0);
  EXPECT_EQ(store.LastCaption(), u"styled");
}

TEST_F(OneClipPerContentTest, TheSameTextWithOtherFormatsIsAnotherClip) {
  ASSERT_TRUE(CopyTextWithHtml(u"styled", "<b>styled</b>"));
  CopyTexts({u"between"});
  ASSERT_TRUE(CopyTextWithHtml(u"styled", "<i>styled</i>"));
  CopyTexts({u"styled"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"styled", u"styled", u"between", u"styled"}));
}

TEST_F(OneClipPerContentTest, ThePicturesColoursAtAnotherDepthMoveTheStoredPicture) {
  TBitmap stored(2, 2, 24);
  stored.Row(0)[2] = 0xC0;  // a red pixel
  auto clip = std::make_unique<CImageItem>();
  clip->SetPicture(TBitmap(stored));
  clip->categoryId = kHistoryCategoryId;
  clip->hotKey = 0x4032;
  store.AppendClip(std::move(clip));
  CopyTexts({u"newer"});
  TBitmap copied(2, 2, 32);
  copied.Row(0)[2] = 0xC0;
  ASSERT_TRUE(driver.CopyBitmap(copied));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"<picture>", u"newer"}));
  EXPECT_EQ(Head().hotKey, 0x4032);
  EXPECT_EQ(Head().Picture()->BitsPerPixel(), 24);
}

TEST_F(OneClipPerContentTest, TheSameFilesMoveTheirClipButAnotherListIsNew) {
  ASSERT_TRUE(CopyFiles({u"C:\\a.txt", u"C:\\b.txt"}));
  CopyTexts({u"between"});
  ASSERT_TRUE(CopyFiles({u"C:\\b.txt", u"C:\\a.txt"}));
  ASSERT_TRUE(CopyFiles({u"C:\\a.txt", u"C:\\b.txt"}));
  EXPECT_EQ(store.Items().size(), 3u);
  const auto* head = dynamic_cast<const CFileListItem*>(&Head());
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->paths, (std::vector<std::u16string>{u"C:\\a.txt", u"C:\\b.txt"}));
  EXPECT_EQ(store.Items().back()->PlainText(), u"between");
}

TEST_F(OneClipPerContentTest, AnEqualNoteDoesNotStopTheCaptureNorMove) {
  CopyTexts({u"noted", u"between"});
  ASSERT_TRUE(store.MoveItem(store.Items().back()->id, kNotesCategoryId));
  CopyTexts({u"noted"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"noted", u"between"}));
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"noted"});
}

TEST_F(OneClipPerContentTest, KeepingDuplicatesKeepsEveryCopyButNotAChangeAnnouncedTwice) {
  KeepDuplicates(true);
  CopyTexts({u"same", u"same", u"other", u"same"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"same", u"other", u"same"}));
}

TEST_F(OneClipPerContentTest, ADeletedOrTrimmedClipsContentCopiedAgainIsANewClip) {
  SetCapacity(3);
  CopyTexts({u"deleted", u"trimmed", u"b", u"c"});  // "deleted" goes with the trim
  ASSERT_TRUE(store.DeleteItem(FindText(u"trimmed")->id));
  CopyTexts({u"trimmed", u"deleted"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"deleted", u"trimmed", u"c"}));
  // The trim of "b" left no trace either.
  CopyTexts({u"b"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"b", u"deleted", u"trimmed"}));
}

TEST_F(OneClipPerContentTest, ClipsThatALoadBringsAreFoundAndTheOldOnesForgotten) {
  CopyTexts({u"saved", u"newest"});
  store.Items().back()->hotKey = 0x4033;
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CopyTexts({u"gone with the load"});
  store.LoadFromMemory(saved);
  CopyTexts({u"saved", u"gone with the load"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"gone with the load", u"saved", u"newest"}));
  EXPECT_EQ(FindText(u"saved")->hotKey, 0x4033);
}

TEST_F(OneClipPerContentTest, ANoteMovedIntoTheHistoryIsFoundAndOneMovedOutIsNot) {
  CopyTexts({u"noted", u"kept"});
  ASSERT_TRUE(store.MoveItem(FindText(u"noted")->id, kNotesCategoryId));
  ASSERT_TRUE(store.MoveItem(FindText(u"kept")->id, kNotesCategoryId));
  ASSERT_TRUE(store.MoveItem(FindText(u"noted")->id, kHistoryCategoryId));
  CopyTexts({u"between", u"noted", u"kept"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"kept", u"noted", u"between"}));
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"kept"});
}

TEST_F(OneClipPerContentTest, TheJournalReplaysAMoveToTheSameStore) {
  SetCapacity(10);
  CopyTexts({u"one", u"two"});
  store.Items().back()->hotKey = 0x4034;
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CJournalDiff diff;
  diff.Reset(store);
  CopyTexts({u"one"});
  std::vector<std::uint8_t> journal = JournalHeader();
  CContentDigest digest;
  digest.Add(saved);
  for (const auto& frames : {JournalBaseFrame(digest.Value()), diff.Changes(store)}) {
    journal.insert(journal.end(), frames.begin(), frames.end());
  }
  CDataBase replayed;
  replayed.LoadFromMemory(saved);
  CByteReader reader(journal.data(), journal.size());
  const CJournalReplay replay = ReplayJournal(reader, digest.Value(), replayed);
  EXPECT_TRUE(replay.based);
  EXPECT_TRUE(replay.stopReason.empty()) << replay.stopReason;
  EXPECT_EQ(replayed.SaveToMemory(), store.SaveToMemory());
  // The replayed clips are indexed as well.
  replayed.Attach(driver.OwnerWindow());
  CopyTexts({u"two"});
  replayed.CaptureClipboard();
  EXPECT_EQ(ClipTexts(replayed, kHistoryCategoryId), (std::vector<std::u16string>{u"two", u"one"}));
}

}  // namespace
