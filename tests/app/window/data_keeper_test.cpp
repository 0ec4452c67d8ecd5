// How the main window keeps its clips: a damaged data file is told and kept aside before
// a save replaces it, and the close's save leaves a file that reads whole.

#include <gtest/gtest.h>

#include <fstream>

#include "app/window/data_keeper.h"
#include "foundation/byte_writer.h"
#include "foundation/content_digest.h"
#include "foundation/file_error.h"
#include "store/data_journal.h"
#include "tests/support/store_fixture.h"
#include "tests/support/test_files.h"

namespace {

class DataKeeperTest : public StoreTest {
 protected:
  DataKeeperTest() {
    CopyTexts({u"older", u"newer"});
    store.SaveToFile(DataPath());
  }
  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
  void Damage() const {
    std::ofstream(DataPath(), std::ios::binary | std::ios::app).write("\x09\0\0\0\x40", 5);
  }
  int CopiesBeside(const std::string& why) const { return ::CopiesBeside(DataPath(), why); }
  CDataKeeper keeper{DataPath()};
  CDataBase loaded;
};

TEST_F(DataKeeperTest, AWholeFileLoadsWithoutNoticeAndTheCloseSavesOverIt) {
  const CDataKeeper::LoadOutcome outcome = keeper.Load(loaded);
  EXPECT_FALSE(outcome.damagedNotice);
  EXPECT_FALSE(outcome.error);
  EXPECT_EQ(ClipTexts(loaded, kHistoryCategoryId), History());
  keeper.Loaded(loaded);
  keeper.Save(loaded);
  EXPECT_EQ(CopiesBeside("damaged"), 0);
  EXPECT_FALSE(std::filesystem::exists(DataPath().string() + ".journal"));
}

TEST_F(DataKeeperTest, ADamagedFileIsToldAndKeptAsideBeforeTheSaveReplacesIt) {
  Damage();
  const CDataKeeper::LoadOutcome outcome = keeper.Load(loaded);
  ASSERT_TRUE(outcome.damagedNotice);
  EXPECT_FALSE(outcome.error);
  EXPECT_EQ(ClipTexts(loaded, kHistoryCategoryId), History());  // everything before the damage
  keeper.Save(loaded);
  EXPECT_EQ(CopiesBeside("damaged"), 1);
  CDataBase again;
  ASSERT_TRUE(again.LoadFromFile(DataPath()));
  EXPECT_FALSE(again.LastLoad().damaged);
  EXPECT_EQ(ClipTexts(again, kHistoryCategoryId), History());
}

TEST_F(DataKeeperTest, ChangesJournaledByOneRunAreLoadedByTheNext) {
  {
    CDataKeeper running(DataPath());
    ASSERT_FALSE(running.Load(loaded).error);
    running.Loaded(loaded);
    CCategory category;
    category.name = u"Work";
    loaded.AddCategory(category);
    running.MarkChanged();
    running.Poll(loaded, 100);
    running.Stop();  // ends as a killed run would, without the close's save
  }
  CDataBase next;
  CDataKeeper nextRun(DataPath());
  ASSERT_FALSE(nextRun.Load(next).error);
  ASSERT_EQ(next.Categories().size(), 1u);
  EXPECT_EQ(next.Categories().front()->name, u"Work");
}

TEST_F(DataKeeperTest, AJournalThatCannotBeAppliedWholeIsToldWithWhereItIsKept) {
  // A journal of this file whose one change is of a kind no writer makes.
  CDataBase saved;
  saved.LoadFromFile(DataPath());
  std::vector<std::uint8_t> journal = JournalHeader();
  const std::vector<std::uint8_t> base = JournalBaseFrame(saved.LastLoad().fileDigest);
  journal.insert(journal.end(), base.begin(), base.end());
  const std::vector<std::uint8_t> payload = {99, 0, 0, 0};
  CContentDigest digest;
  digest.Add(payload);
  CByteWriter frame;
  frame.WriteUInt32(static_cast<std::uint32_t>(payload.size()));
  frame.WriteUInt32(static_cast<std::uint32_t>(digest.Value()));
  frame.WriteUInt32(static_cast<std::uint32_t>(digest.Value() >> 32));
  journal.insert(journal.end(), frame.Bytes().begin(), frame.Bytes().end());
  journal.insert(journal.end(), payload.begin(), payload.end());
  PutFile(DataPath().string() + ".journal", std::string(journal.begin(), journal.end()));

  const CDataKeeper::LoadOutcome outcome = keeper.Load(loaded);
  ASSERT_TRUE(outcome.damagedNotice);
  EXPECT_NE(outcome.damagedNotice->find(u"journal"), std::u16string::npos);
  EXPECT_NE(outcome.damagedNotice->find(DataPath().u16string() + u".journal.damaged-"),
            std::u16string::npos)
      << std::string(outcome.damagedNotice->begin(), outcome.damagedNotice->end());
  EXPECT_EQ(ClipTexts(loaded, kHistoryCategoryId), History());
  EXPECT_EQ(::CopiesBeside(DataPath().string() + ".journal", "damaged"), 1);
}

}  // namespace
