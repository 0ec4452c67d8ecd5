// Saving while the program runs: when, what bytes, and what a change or a failure in the
// middle of a save does.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/autosave/auto_save.h"
#include "app/autosave/store_fingerprint.h"
#include "app/autosave/store_slice_writer.h"
#include "store/png_encoder.h"
#include "tests/support/store_fixture.h"
#include "tests/support/test_files.h"

namespace {

TEST(AutoSaveScheduleTest, SavesTenQuietSecondsAfterTheLastChange) {
  CAutoSaveSchedule schedule;
  EXPECT_FALSE(schedule.Due(50'000));
  schedule.Changed(1'000);
  schedule.Changed(4'000);
  EXPECT_FALSE(schedule.Due(13'999));
  EXPECT_TRUE(schedule.Due(14'000));
  schedule.Started();
  EXPECT_FALSE(schedule.Due(90'000));
}

TEST(AutoSaveScheduleTest, AStoreThatKeepsChangingIsSavedWithinAMinute) {
  CAutoSaveSchedule schedule;
  for (std::uint32_t now = 0; now < 60'000; now += 5'000) {
    schedule.Changed(now);
    EXPECT_FALSE(schedule.Due(now + 1));
  }
  EXPECT_TRUE(schedule.Due(60'000));
}

TEST(AutoSaveScheduleTest, AFailedSaveIsTriedAgainAMinuteLater) {
  CAutoSaveSchedule schedule;
  schedule.Changed(0);
  schedule.Started();
  schedule.Failed(10'000);
  EXPECT_FALSE(schedule.Due(69'999));
  EXPECT_TRUE(schedule.Due(70'000));
}

class AutoSaveStoreTest : public StoreTest {
 protected:
  AutoSaveStoreTest() {
    CopyTexts({u"first", u"second", u"third"});
    TBitmap picture(40, 30, 32);
    picture.Row(5)[7] = 0x5A;
    EXPECT_TRUE(driver.CopyBitmap(picture));
    WaitForPngEncodes();  // a save's record of the picture changes once its image is made
    CopyTexts({u"fourth"});
    CCategory category;
    category.name = u"Work";
    category.iconIndex = 3;
    categoryId_ = store.AddCategory(category);
    EXPECT_TRUE(store.MoveItem(store.Items().back()->id, categoryId_));
  }

  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }

  // Polls with the clock at `now` until the save under way has ended.
  void FinishSave(CAutoSaver& saver, std::uint32_t now) {
    for (int i = 0; i < 5000 && saver.Saving(); ++i) {
      saver.Poll(store, now);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(saver.Saving());
  }

  std::vector<std::u16string> SavedHistory() {
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    std::vector<std::u16string> texts;
    for (const auto& clip : loaded.Items()) {
      const auto* text = dynamic_cast<const CTextItem*>(clip.get());
      if (clip->categoryId == kHistoryCategoryId)
        texts.push_back(text ? text->text.Utf16() : u"<picture>");
    }
    return texts;
  }

  int categoryId_ = 0;
};

TEST_F(AutoSaveStoreTest, PartsMakeTheSameBytesAsAWholeSave) {
  store.Items().front()->orphaned = true;  // left out, as by a whole save
  Head().hotKey = 0x4041;
  for (std::size_t budget : {std::size_t{1}, std::size_t{5000}, std::size_t{1} << 20}) {
    CStoreSliceWriter slices;
    CByteWriter out;
    int parts = 1;
    while (!slices.WriteNext(store, out, budget)) ++parts;
    EXPECT_EQ(out.Bytes(), store.SaveToMemory()) << "budget " << budget;
    if (budget == 1) {
      EXPECT_EQ(parts, 5);  // a record each: four clips kept, one category
    }
  }
}

TEST_F(AutoSaveStoreTest, FingerprintSeesEveryChangeTheDataFileKeeps) {
  std::uint64_t last = StoreFingerprint(store);
  EXPECT_EQ(StoreFingerprint(store), last);
  auto changed = [&] {
    const std::uint64_t now = StoreFingerprint(store);
    return std::exchange(last, now) != now;
  };
  CopyTexts({u"fifth"});
  EXPECT_TRUE(changed());
  Head().hotKey = 0x4031;
  EXPECT_TRUE(changed());
  ASSERT_TRUE(store.MoveItem(Head().id, kNotesCategoryId));
  EXPECT_TRUE(changed());
  ASSERT_NE(store.ReplaceClipText(Head().id, u"fifth, edited"), 0);  // the same id
  EXPECT_TRUE(changed());
  ASSERT_TRUE(store.DeleteItem(store.Items().front()->id));
  EXPECT_TRUE(changed());
  CCategory renamed = *store.FindCategory(categoryId_);
  renamed.name = u"Home";
  store.UpdateCategory(categoryId_, renamed);
  EXPECT_TRUE(changed());
}

TEST_F(AutoSaveStoreTest, RevisionMovesWithEveryChangeTheStoreMakesAndOnlyThen) {
  std::uint64_t last = store.Revision();
  auto moved = [&] { return std::exchange(last, store.Revision()) != store.Revision(); };
  store.FindItem(Head().id);
  store.CaptureClipboard();  // the newest clip again
  EXPECT_FALSE(moved());
  CopyTexts({u"fifth"});
  EXPECT_TRUE(moved());
  ASSERT_TRUE(store.MoveItem(Head().id, kNotesCategoryId));
  EXPECT_TRUE(moved());
  ASSERT_TRUE(store.DeleteItem(store.Items().front()->id));
  EXPECT_TRUE(moved());
  CCategory renamed = *store.FindCategory(categoryId_);
  renamed.name = u"Home";
  store.UpdateCategory(categoryId_, renamed);
  EXPECT_TRUE(moved());
  store.AddCategory(renamed);
  EXPECT_TRUE(moved());
  store.DeleteCategory(categoryId_);
  EXPECT_TRUE(moved());
  store.LoadFromMemory(store.SaveToMemory());
  EXPECT_TRUE(moved());
}

TEST_F(AutoSaveStoreTest, SavesAfterTheQuietTimeWhatTheStoreHolds) {
  CAutoSaver saver(DataPath());
  saver.Reset(store);
  saver.Poll(store, 0);
  EXPECT_FALSE(saver.Saving());  // nothing changed since the load
  CopyTexts({u"fifth"});
  saver.MarkChanged();
  saver.Poll(store, 1'000);
  saver.Poll(store, 10'999);
  EXPECT_FALSE(saver.Saving());
  saver.Poll(store, 11'000);
  EXPECT_TRUE(saver.Saving());
  FinishSave(saver, 11'000);
  EXPECT_FALSE(saver.LastError().has_value());
  EXPECT_EQ(SavedHistory(),
            (std::vector<std::u16string>{u"fifth", u"fourth", u"<picture>", u"third", u"second"}));
}

TEST_F(AutoSaveStoreTest, AChangeDuringASaveStartsItOverLater) {
  CAutoSaver saver(DataPath());
  saver.Reset(store);
  CopyTexts({u"fifth"});
  saver.MarkChanged();
  saver.Poll(store, 0);
  saver.Poll(store, 10'000);
  ASSERT_TRUE(saver.Saving());
  CopyTexts({u"sixth"});  // before the first part is produced
  saver.Poll(store, 10'010);
  EXPECT_FALSE(saver.Saving());
  EXPECT_FALSE(std::filesystem::exists(DataPath()));
  saver.Poll(store, 20'009);
  EXPECT_FALSE(saver.Saving());
  saver.Poll(store, 20'010);
  FinishSave(saver, 20'010);
  EXPECT_EQ(SavedHistory().front(), u"sixth");
}

TEST_F(AutoSaveStoreTest, AFailedSaveIsReportedAndTriedAgain) {
  CAutoSaver saver(folder.Path() / "missing folder" / "data.dat");
  saver.Reset(store);
  CopyTexts({u"fifth"});
  saver.MarkChanged();
  saver.Poll(store, 0);
  saver.Poll(store, 10'000);
  FinishSave(saver, 10'000);
  EXPECT_TRUE(saver.LastError().has_value());
  saver.Poll(store, 60'000);
  EXPECT_FALSE(saver.Saving());
  saver.Poll(store, 70'000);
  EXPECT_TRUE(saver.Saving());
}

TEST_F(AutoSaveStoreTest, SavesThatKeepFailingForAMinuteAreToldOnceNamingTheFile) {
  const std::filesystem::path path = folder.Path() / u8"Ordner für Clips" / "data.dat";
  CAutoSaver saver(path);
  saver.Reset(store);
  CopyTexts({u"fifth"});
  saver.MarkChanged();
  saver.Poll(store, 0);
  saver.Poll(store, 10'000);
  FinishSave(saver, 10'000);
  ASSERT_TRUE(saver.LastError().has_value());
  EXPECT_FALSE(saver.TakeTrouble());  // one failed try: a sync program may hold the file
  saver.Poll(store, 70'000);
  FinishSave(saver, 70'000);
  const std::optional<CSaveTrouble> trouble = saver.TakeTrouble();
  ASSERT_TRUE(trouble);
  EXPECT_EQ(trouble->kind, CSaveTrouble::EKind::kSavesFailing);
  const std::u8string folderName = path.parent_path().u8string();
  EXPECT_NE(trouble->error.find(std::string(folderName.begin(), folderName.end())),
            std::string::npos)
      << trouble->error;
  saver.Poll(store, 130'000);
  FinishSave(saver, 130'000);
  EXPECT_TRUE(saver.LastError().has_value());
  EXPECT_FALSE(saver.TakeTrouble());  // once a run
  // The folder is back: the next try saves, and failures would be counted anew.
  std::filesystem::create_directory(path.parent_path());
  saver.Poll(store, 190'000);
  FinishSave(saver, 190'000);
  EXPECT_FALSE(saver.LastError().has_value());
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(AutoSaveStoreTest, StopLeavesTheFileAsItWas) {
  CAutoSaver saver(DataPath());
  saver.Reset(store);
  CopyTexts({u"fifth"});
  saver.MarkChanged();
  saver.Poll(store, 0);
  saver.Poll(store, 10'000);
  ASSERT_TRUE(saver.Saving());
  saver.Stop();
  EXPECT_FALSE(saver.Saving());
  EXPECT_FALSE(std::filesystem::exists(DataPath()));
  EXPECT_FALSE(std::filesystem::exists(DataPath().string() + ".saving"));
}

class JournalTest : public AutoSaveStoreTest {
 protected:
  JournalTest() { store.SaveToFile(DataPath()); }

  // What the next start finds: the data file with the journal's changes applied.
  std::vector<std::u16string> NextStartHistory(int* applied = nullptr) {
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    CAutoSaver next(DataPath());
    const int count = next.RecoverJournal(loaded, loaded.LastLoad().fileDigest);
    if (applied != nullptr) *applied = count;
    return ClipTexts(loaded, kHistoryCategoryId);
  }
  // Starts the journal of the data file as the store was saved, as a start does.
  void StartJournal(CAutoSaver& saver) {
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    saver.RecoverJournal(store, loaded.LastLoad().fileDigest);
    saver.Reset(store);
  }
  // Polls until the journal has written what it was given and stopped growing for a while.
  void LetTheJournalSettle(CAutoSaver& saver, std::uint32_t now) {
    std::uintmax_t size = 0;
    for (int quiet = 0, i = 0; quiet < 50 && i < 5000; ++i) {
      saver.Poll(store, now);
      std::error_code missing;
      const std::uintmax_t nowSize = std::filesystem::file_size(saver.JournalPath(), missing);
      quiet = saver.JournalWritten() && !missing && nowSize == size ? quiet + 1 : 0;
      size = nowSize;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
};

TEST_F(JournalTest, ChangesNotYetSavedAreThereAtTheNextStart) {
  auto saver = std::make_unique<CAutoSaver>(DataPath());
  {
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    EXPECT_EQ(saver->RecoverJournal(store, loaded.LastLoad().fileDigest), 0);
  }
  saver->Reset(store);
  CopyTexts({u"fifth", u"sixth"});
  ASSERT_TRUE(store.DeleteItem(store.Items().front()->id));
  saver->MarkChanged();
  LetTheJournalSettle(*saver, 100);
  const std::vector<std::u16string> expected = History();
  saver.reset();  // the program ends without saving
  int applied = 0;
  EXPECT_EQ(NextStartHistory(&applied), expected);
  EXPECT_GT(applied, 0);
  EXPECT_EQ(NextStartHistory(), expected);  // the replayed changes were kept in the journal
}

TEST_F(JournalTest, ASaveStartsTheJournalAnewAndTheCloseRemovesIt) {
  CAutoSaver saver(DataPath());
  {
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    saver.RecoverJournal(store, loaded.LastLoad().fileDigest);
  }
  saver.Reset(store);
  CopyTexts({u"fifth"});
  saver.MarkChanged();
  saver.Poll(store, 1'000);
  saver.Poll(store, 11'000);
  EXPECT_TRUE(saver.Saving());
  FinishSave(saver, 11'000);
  LetTheJournalSettle(saver, 11'000);
  int applied = -1;
  EXPECT_EQ(NextStartHistory(&applied), History());
  EXPECT_EQ(applied, 0);  // all of it is in the file
  EXPECT_LT(std::filesystem::file_size(saver.JournalPath()), 64u);
  store.SaveToFile(DataPath());
  saver.DiscardJournal();
  EXPECT_FALSE(std::filesystem::exists(saver.JournalPath()));
}

TEST_F(JournalTest, AJournalDamagedInTheMiddleIsKeptAsideAndToldBeforeANewOneBegins) {
  auto saver = std::make_unique<CAutoSaver>(DataPath());
  StartJournal(*saver);
  std::vector<std::uintmax_t> ends;
  std::vector<std::vector<std::u16string>> histories;
  for (const char16_t* text : {u"fifth", u"sixth", u"seventh"}) {
    CopyTexts({text});
    saver->MarkChanged();
    LetTheJournalSettle(*saver, 100);
    ends.push_back(std::filesystem::file_size(saver->JournalPath()));
    histories.push_back(History());
  }
  saver.reset();  // the program ends without saving
  // A byte of the second change's frame goes bad; the third is whole after it.
  std::string bytes = FileBytes(DataPath().string() + ".journal");
  bytes[static_cast<std::size_t>(ends[0]) + 20] ^= 0x01;
  PutFile(DataPath().string() + ".journal", bytes);

  {
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    CAutoSaver next(DataPath());
    EXPECT_EQ(next.RecoverJournal(loaded, loaded.LastLoad().fileDigest), 1);
    EXPECT_EQ(ClipTexts(loaded, kHistoryCategoryId), histories[0]);
    ASSERT_TRUE(next.JournalDamage());
    EXPECT_EQ(next.JournalDamage()->applied, 1);
    EXPECT_NE(next.JournalDamage()->reason.find("garbled"), std::string::npos);
    // The copy holds every change, the ones after the damage too, for whoever can mend it.
    ASSERT_FALSE(next.JournalDamage()->keptCopy.empty());
    EXPECT_EQ(FileBytes(next.JournalDamage()->keptCopy), bytes);
    EXPECT_EQ(CopiesBeside(next.JournalPath(), "damaged"), 1);
  }
  // The new journal took over the change before the damage, and nothing garbled.
  int applied = 0;
  EXPECT_EQ(NextStartHistory(&applied), histories[0]);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(CopiesBeside(DataPath().string() + ".journal", "damaged"), 1);
}

TEST_F(JournalTest, AWholeJournalAndATornTailAreNoDamage) {
  auto saver = std::make_unique<CAutoSaver>(DataPath());
  StartJournal(*saver);
  CopyTexts({u"fifth"});
  saver->MarkChanged();
  LetTheJournalSettle(*saver, 100);
  saver.reset();
  std::string bytes = FileBytes(DataPath().string() + ".journal");
  PutFile(DataPath().string() + ".journal", bytes.substr(0, bytes.size() - 3));
  CDataBase loaded;
  loaded.LoadFromFile(DataPath());
  CAutoSaver next(DataPath());
  next.RecoverJournal(loaded, loaded.LastLoad().fileDigest);
  EXPECT_FALSE(next.JournalDamage());
  EXPECT_EQ(CopiesBeside(next.JournalPath(), "damaged"), 0);
}

TEST_F(JournalTest, AJournalThatGrowsPastItsBoundWhileSavesFailIsTold) {
  CAutoSaver saver(DataPath());
  StartJournal(saver);
  // The data file cannot be replaced: a folder has taken its place.
  std::filesystem::remove(DataPath());
  std::filesystem::create_directory(DataPath());
  CopyTexts({u"fifth"});
  saver.MarkChanged();
  saver.Poll(store, 0);
  saver.Poll(store, 10'000);
  FinishSave(saver, 10'000);
  ASSERT_TRUE(saver.LastError().has_value());
  EXPECT_FALSE(saver.TakeTrouble());
  // A quarter of the bound at a time, in UTF-16 units of two bytes.
  const std::u16string quarter(CAutoSaver::kJournalNoticeBytes / 8 + 1, u'q');
  for (char16_t last : {u'1', u'2', u'3', u'4'}) {
    CopyTexts({quarter + last});
    saver.MarkChanged();
    saver.Poll(store, 10'100);
  }
  const std::optional<CSaveTrouble> trouble = saver.TakeTrouble();
  ASSERT_TRUE(trouble);
  EXPECT_EQ(trouble->kind, CSaveTrouble::EKind::kJournalGrowing);
  EXPECT_EQ(trouble->journal, saver.JournalPath());
  EXPECT_FALSE(saver.TakeTrouble());
}

// The newest clip's hot key as the next start finds it, the journal applied.
std::uint16_t NextStartHotKeyOfHead(const std::filesystem::path& dataPath) {
  CDataBase loaded;
  loaded.LoadFromFile(dataPath);
  CAutoSaver next(dataPath);
  next.RecoverJournal(loaded, loaded.LastLoad().fileDigest);
  return loaded.Items().front()->hotKey;
}

TEST_F(JournalTest, AChangeNobodyReportedIsJournaledAtTheNextLookIfTheStoreCountedIt) {
  auto saver = std::make_unique<CAutoSaver>(DataPath());
  StartJournal(*saver);
  ASSERT_TRUE(store.DeleteItem(store.Items().front()->id));
  LetTheJournalSettle(*saver, CAutoSaver::kCheckIntervalMs);
  saver.reset();  // the program ends without saving
  EXPECT_EQ(NextStartHistory(), History());
}

TEST_F(JournalTest, AFieldWrittenPastTheStoresCountingIsJournaledWithinTheFullCheckInterval) {
  auto saver = std::make_unique<CAutoSaver>(DataPath());
  StartJournal(*saver);
  LetTheJournalSettle(*saver, 0);
  const std::uintmax_t empty = std::filesystem::file_size(saver->JournalPath());
  Head().hotKey = 0x4031;  // not through the handler, which would have counted it
  LetTheJournalSettle(*saver, CAutoSaver::kFullCheckIntervalMs - 1);
  // A store whose revision stayed is not walked before that.
  EXPECT_EQ(std::filesystem::file_size(saver->JournalPath()), empty);
  LetTheJournalSettle(*saver, CAutoSaver::kFullCheckIntervalMs);
  saver.reset();
  EXPECT_EQ(NextStartHotKeyOfHead(DataPath()), 0x4031);
}

}  // namespace
