// The content the measuring tools offer must be what it claims, or their figures measure a
// refusal of malformed bytes: read back here with the program's own readers.

#include <gtest/gtest.h>

#include <vector>

#include "app/autosave/auto_save.h"
#include "bench/journal/journal_fixture.h"
#include "bench/program/hostile_content.h"
#include "foundation/bitmap.h"
#include "store/file_list_item.h"
#include "store/text_item.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(HostileContentTest, TheOneBitPictureReadsAsStripesOfItsSize) {
  const std::vector<std::uint8_t> dib = OneBitDib(37, 5);
  EXPECT_EQ(dib.size(), OneBitDibBytes(37, 5));
  const auto size = TBitmap::SizeOfPackedDib(dib);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 37);
  EXPECT_EQ(size->height, 5);
  const auto picture = TBitmap::FromPackedDib(dib);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->BitsPerPixel(), 1);
  EXPECT_EQ(picture->PixelColor(0, 0), 0xFFFFFFu);
  EXPECT_EQ(picture->PixelColor(4, 4), 0u);
  EXPECT_EQ(picture->PixelColor(8, 2), 0xFFFFFFu);
}

TEST(HostileContentTest, TheFullSizePictureIsBeyondWhatThe32BitFormMayHold) {
  // 128 MiB of rows and the headers: small on the clipboard, 4 GiB at 32 bits a pixel.
  EXPECT_EQ(OneBitDibBytes(32768, 32768), (std::size_t{128} << 20) + 48);
  EXPECT_FALSE(TBitmap::FitsAt32Bits(32768, 32768));
}

TEST(HostileContentTest, TheDropListHoldsOneLetterPathsInTheirOrder) {
  std::size_t count = 0;
  const std::vector<std::uint8_t> block = OneLetterDropList(100, &count);
  EXPECT_EQ(count, 39u);  // (100 - 20 - 1) / 2
  const std::vector<std::u16string> paths = PathsOfDropList(block);
  ASSERT_EQ(paths.size(), count);
  EXPECT_EQ(paths.front(), u"a");
  EXPECT_EQ(paths[25], u"z");
  EXPECT_EQ(paths[26], u"a");
  EXPECT_TRUE(DropListHasMorePathsThan(block, count - 1));
  EXPECT_FALSE(DropListHasMorePathsThan(block, count));
}

class JournalFixtureTest : public ::testing::Test {
 protected:
  // Loads the data file and recovers the journal as the program's start does; the
  // number of changes applied.
  int Recover(CDataBase& store) {
    store.LoadFromFile(DataFile());
    CAutoSaver saver(DataFile());
    const int applied = saver.RecoverJournal(store, store.LastLoad().fileDigest);
    EXPECT_FALSE(saver.JournalDamage());
    return applied;
  }
  std::filesystem::path DataFile() const { return folder.Path() / "data.dat"; }

  CTempFolder folder;
};

TEST_F(JournalFixtureTest, EveryChurnedTextIsAppliedAndTheStoreEndsAsTheFile) {
  const CJournalFixture fixture =
      WriteJournalFixture(DataFile(), 64 << 10, EJournalChange::kChurn, 1000);
  EXPECT_GE(fixture.journalBytes, 64u << 10);
  EXPECT_EQ(std::filesystem::file_size(DataFile().string() + ".journal"), fixture.journalBytes);
  CDataBase store;
  EXPECT_EQ(static_cast<std::uint64_t>(Recover(store)), fixture.changes);
  EXPECT_EQ(fixture.changes % 2, 0u);
  ASSERT_EQ(store.Items().size(), 1u);
}

TEST_F(JournalFixtureTest, GrownTextsAndHotKeysAreAppliedEveryOne) {
  const CJournalFixture grown =
      WriteJournalFixture(DataFile(), 32 << 10, EJournalChange::kGrow, 1000);
  CDataBase store;
  EXPECT_EQ(static_cast<std::uint64_t>(Recover(store)), grown.changes);
  ASSERT_EQ(store.Items().size(), 1 + grown.changes);
  EXPECT_EQ(static_cast<const CTextItem&>(*store.Items().front()).text.size(), 1000u);

  const CJournalFixture keys =
      WriteJournalFixture(DataFile(), 32 << 10, EJournalChange::kHotKeys, 0);
  EXPECT_GT(keys.changes, 1000u);  // small frames: many of them
  CDataBase keyed;
  EXPECT_EQ(static_cast<std::uint64_t>(Recover(keyed)), keys.changes);
  ASSERT_EQ(keyed.Items().size(), 1u);
  EXPECT_EQ(keyed.Items().front()->hotKey, 0x4031);
}

}  // namespace
