// A data file that cannot be read, or cannot be kept aside, which only the model arranges:
// the store stays empty and nothing replaces the file until a copy of it exists. A journal
// that cannot be opened is kept aside too.

#include <gtest/gtest.h>

#include "app/autosave/auto_save.h"
#include "app/window/data_keeper.h"
#include "foundation/content_digest.h"
#include "foundation/file_error.h"
#include "platform/sim/sim_control.h"
#include "store/data_journal.h"
#include "store/file_list_item.h"
#include "tests/support/store_fixture.h"
#include "tests/support/test_files.h"

namespace {

class DataKeeperSimTest : public StoreTest {
 protected:
  DataKeeperSimTest() {
    CopyTexts({u"kept"});
    store.SaveToFile(DataPath());
  }
  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
  CDataKeeper keeper{DataPath()};
  CDataBase loaded;
};

TEST_F(DataKeeperSimTest, AnUnreadableFileIsKeptAsideAndTheErrorSaysWhere) {
  sim::FailNextFileCall("CreateFileW");
  const CDataKeeper::LoadOutcome outcome = keeper.Load(loaded);
  ASSERT_TRUE(outcome.error);
  EXPECT_NE(outcome.error->find("The file is kept as "), std::string::npos);
  EXPECT_NE(outcome.error->find("data.dat.unreadable-"), std::string::npos);
  EXPECT_TRUE(loaded.Items().empty());
}

TEST_F(DataKeeperSimTest, AnUnreadableFileThatCannotBeKeptIsNotSavedOver) {
  sim::FailNextFileCall("CreateFileW");
  sim::FailNextFileCall("CopyFileW");
  const CDataKeeper::LoadOutcome outcome = keeper.Load(loaded);
  ASSERT_TRUE(outcome.error);
  EXPECT_NE(outcome.error->find("will not save over this file"), std::string::npos);
  // The automatic save waits for the copy; the close's save tries to make it, and refuses
  // to replace the file while it cannot.
  loaded.AddCategory(CCategory{});
  keeper.MarkChanged();
  keeper.Poll(loaded, 60'000);
  EXPECT_FALSE(std::filesystem::exists(DataPath().string() + ".journal"));
  sim::FailNextFileCall("CopyFileW");
  EXPECT_THROW(keeper.Save(loaded), CFileError);
  CDataBase onDisk;
  ASSERT_TRUE(onDisk.LoadFromFile(DataPath()));
  EXPECT_EQ(ClipTexts(onDisk, kHistoryCategoryId), std::vector<std::u16string>{u"kept"});
  keeper.Save(loaded);  // the copy can be made now
  ASSERT_TRUE(onDisk.LoadFromFile(DataPath()));
  EXPECT_TRUE(onDisk.Items().empty());
}

TEST_F(DataKeeperSimTest, AJournalThatCannotBeOpenedIsKeptAsideAndToldBeforeANewOneBegins) {
  PutFile(DataPath().string() + ".journal", "the last run's changes");
  ASSERT_TRUE(loaded.LoadFromFile(DataPath()));
  CAutoSaver saver(DataPath());
  sim::FailNextFileCall("CreateFileW");
  EXPECT_EQ(saver.RecoverJournal(loaded, loaded.LastLoad().fileDigest), 0);
  ASSERT_TRUE(saver.JournalDamage());
  EXPECT_NE(saver.JournalDamage()->reason.find("journal"), std::string::npos);
  ASSERT_FALSE(saver.JournalDamage()->keptCopy.empty());
  EXPECT_EQ(FileBytes(saver.JournalDamage()->keptCopy), "the last run's changes");
}

TEST_F(DataKeeperSimTest, AFileListThatTheJournalCutIsToldInTheStartUpNotice) {
  const std::string file = FileBytes(DataPath());
  CContentDigest digest;
  digest.Add(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
  CJournalDiff diff;
  diff.Reset(store);
  auto files = std::make_unique<CFileListItem>();
  files->paths.assign(kMaxDropPaths + 1, u"C:\\a");
  store.AppendClip(std::move(files));
  std::vector<std::uint8_t> journal = JournalHeader();
  for (const auto& frames : {JournalBaseFrame(digest.Value()), diff.Changes(store)}) {
    journal.insert(journal.end(), frames.begin(), frames.end());
  }
  PutFile(DataPath().string() + ".journal", std::string(journal.begin(), journal.end()));

  const CDataKeeper::LoadOutcome outcome = keeper.Load(loaded);
  ASSERT_FALSE(outcome.error) << *outcome.error;
  ASSERT_TRUE(outcome.damagedNotice);
  EXPECT_NE(outcome.damagedNotice->find(u"One clip in the data file named more"),
            std::u16string::npos);
  EXPECT_EQ(loaded.Items().size(), 2u);
}

}  // namespace
