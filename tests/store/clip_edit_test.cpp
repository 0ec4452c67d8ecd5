// What the user writes: a clip's text edited in place, and a new note; both reach the
// journal as any other change does.

#include <gtest/gtest.h>

#include "foundation/content_digest.h"
#include "store/data_journal.h"
#include "tests/support/store_fixture.h"

namespace {

class ClipEditTest : public StoreTest {
 protected:
  ClipEditTest() { CopyTexts({u"a", u"b", u"c"}); }  // history, head first: c b a

  CTextItem& TextClip(std::size_t position) {
    return dynamic_cast<CTextItem&>(*store.ClipAt(position));
  }

  int AddCategory(const std::u16string& name) {
    CCategory category;
    category.name = name;
    return store.AddCategory(category);
  }
};

TEST_F(ClipEditTest, AnEditKeepsCategoryPlaceHotKeyAndTimeAndDropsTheFormats) {
  CTextItem& b = TextClip(1);
  b.hotKey = 0x0432;
  b.created = 45000.25;
  b.formats.push_back({u"HTML Format", {1, 2, 3}});
  const int id = b.id;

  EXPECT_EQ(store.ReplaceClipText(id, u"bee, edited"), id);
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"c", u"bee, edited", u"a"}));
  const CTextItem& edited = TextClip(1);
  EXPECT_EQ(edited.id, id);  // the history is ordered by ids: it stays where it was
  EXPECT_EQ(store.FindItem(id), &edited);
  EXPECT_EQ(edited.categoryId, kHistoryCategoryId);
  EXPECT_EQ(edited.hotKey, 0x0432);
  EXPECT_EQ(edited.created, 45000.25);
  EXPECT_EQ(edited.textLength, 11);
  EXPECT_TRUE(edited.formats.empty());
}

TEST_F(ClipEditTest, AnEditedNoteStaysInItsCategoryAtItsPlace) {
  ASSERT_TRUE(store.MoveItem(TextClip(2).id, kNotesCategoryId));  // a
  ASSERT_TRUE(store.MoveItem(TextClip(1).id, kNotesCategoryId));  // b, after a
  const int edited = store.ReplaceClipText(TextClip(1).id, u"first note");
  ASSERT_NE(edited, 0);
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"first note", u"b"}));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"c"}));
}

TEST_F(ClipEditTest, TheSameTextChangesNothing) {
  CTextItem& b = TextClip(1);
  b.formats.push_back({u"Rich Text Format", {7}});
  const int id = b.id;
  const auto revision = store.Revision();
  EXPECT_EQ(store.ReplaceClipText(id, u"b"), id);
  EXPECT_EQ(store.Revision(), revision);
  EXPECT_EQ(TextClip(1).formats.size(), 1u);
}

TEST_F(ClipEditTest, AnEditIsRefusedForNoTextTooLongATextNoClipOrAPicture) {
  const int id = TextClip(0).id;
  CStoreLimits limits = store.Limits();
  limits.maxTextUnits = 5;
  store.SetLimits(limits);
  EXPECT_EQ(store.ReplaceClipText(id, u""), 0);
  EXPECT_EQ(store.ReplaceClipText(id, u"123456"), 0);
  EXPECT_EQ(store.ReplaceClipText(424242, u"x"), 0);
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(2, 2, 24)));
  EXPECT_EQ(store.ReplaceClipText(Head().id, u"x"), 0);
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"<picture>", u"c", u"b", u"a"}));
}

TEST_F(ClipEditTest, ANoteGoesFirstInItsCategoryWithTheTimeItWasWritten) {
  ASSERT_TRUE(store.MoveItem(TextClip(0).id, kNotesCategoryId));  // c, at the tail
  const double before = CurrentDayCount();
  const int id = store.AddNote(kNotesCategoryId, u"written");
  ASSERT_NE(id, 0);
  EXPECT_EQ(store.Items().front()->id, id);
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"written", u"c"}));
  EXPECT_GE(store.FindItem(id)->created, before);
  EXPECT_LE(store.FindItem(id)->created, CurrentDayCount());
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"b", u"a"}));

  const int work = AddCategory(u"Work");
  EXPECT_NE(store.AddNote(work, u"for work"), 0);
  EXPECT_EQ(TextsOf(work), (std::vector<std::u16string>{u"for work"}));
}

TEST_F(ClipEditTest, ANoteIsRefusedEmptyInTheHistoryOrInACategoryThatIsNot) {
  const std::size_t clips = store.Items().size();
  EXPECT_EQ(store.AddNote(kNotesCategoryId, u""), 0);
  EXPECT_EQ(store.AddNote(kHistoryCategoryId, u"copy"), 0);
  EXPECT_EQ(store.AddNote(1234, u"nowhere"), 0);
  EXPECT_EQ(store.Items().size(), clips);
}

TEST_F(ClipEditTest, TheJournalCarriesAnEditAndANoteToTheSavedFile) {
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CJournalDiff diff;
  diff.Reset(store);
  TextClip(1).hotKey = 0x0433;
  std::vector<std::uint8_t> journal = JournalHeader();
  CContentDigest digest;
  digest.Add(saved);
  const std::vector<std::uint8_t> base = JournalBaseFrame(digest.Value());
  journal.insert(journal.end(), base.begin(), base.end());
  auto journalChanges = [&] {
    const std::vector<std::uint8_t> frames = diff.Changes(store);
    journal.insert(journal.end(), frames.begin(), frames.end());
  };
  journalChanges();
  ASSERT_NE(store.ReplaceClipText(TextClip(1).id, u"bee"), 0);
  ASSERT_NE(store.AddNote(kNotesCategoryId, u"note"), 0);
  journalChanges();

  CDataBase replayed;
  replayed.LoadFromMemory(saved);
  CByteReader reader(journal.data(), journal.size());
  const CJournalReplay replay = ReplayJournal(reader, digest.Value(), replayed);
  EXPECT_TRUE(replay.stopReason.empty()) << replay.stopReason;
  EXPECT_EQ(ClipTexts(replayed, kHistoryCategoryId),
            (std::vector<std::u16string>{u"c", u"bee", u"a"}));
  EXPECT_EQ(ClipTexts(replayed, kNotesCategoryId), (std::vector<std::u16string>{u"note"}));
  EXPECT_EQ(replayed.SaveToMemory(), store.SaveToMemory());
}

}  // namespace
