// The one rule for saving over a data file that the store does not hold whole: a copy of
// it first, for a damaged, cut or unreadable file.

#include <gtest/gtest.h>

#include <fstream>

#include "app/autosave/data_file_guard.h"
#include "platform/sim/sim_control.h"
#include "tests/support/store_fixture.h"
#include "tests/support/test_files.h"

namespace {

class DataFileGuardTest : public StoreTest {
 protected:
  DataFileGuardTest() {
    CopyTexts({u"kept"});
    store.SaveToFile(DataPath());
    std::ofstream(DataPath(), std::ios::binary | std::ios::app).write("\x09\0\0\0\x40", 5);
  }
  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
  int CopiesBeside(const std::string& why) const { return ::CopiesBeside(DataPath(), why); }
  CDataFileGuard guard{DataPath()};
};

TEST_F(DataFileGuardTest, ADamagedFileWithoutACopyHoldsSavesBackUntilOneIsMade) {
  sim::FailNextFileCall("CopyFileW");
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  ASSERT_TRUE(store.LastLoad().damaged);
  guard.Loaded(store.LastLoad());
  EXPECT_FALSE(guard.SaveAllowed());
  sim::FailNextFileCall("CopyFileW");
  EXPECT_FALSE(guard.MakeSaveAllowed());
  EXPECT_EQ(CopiesBeside("damaged"), 0);
  EXPECT_TRUE(guard.MakeSaveAllowed());
  EXPECT_EQ(CopiesBeside("damaged"), 1);
  EXPECT_TRUE(guard.SaveAllowed());
}

TEST_F(DataFileGuardTest, ADamagedFileWithACopyOrAWholeOneAllowsSaves) {
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  guard.Loaded(store.LastLoad());
  EXPECT_TRUE(guard.SaveAllowed());
  store.SaveToFile(DataPath());
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  guard.Loaded(store.LastLoad());
  EXPECT_TRUE(guard.MakeSaveAllowed());
  EXPECT_EQ(CopiesBeside("damaged"), 1);
}

TEST_F(DataFileGuardTest, AnUnreadableFileIsKeptOrHoldsSavesBack) {
  sim::FailNextFileCall("CopyFileW");
  EXPECT_TRUE(guard.LoadFailed().empty());
  EXPECT_FALSE(guard.SaveAllowed());
  EXPECT_TRUE(guard.MakeSaveAllowed());
  EXPECT_EQ(CopiesBeside("unreadable"), 1);
  CDataFileGuard again(DataPath());
  EXPECT_FALSE(again.LoadFailed().empty());
  EXPECT_TRUE(again.SaveAllowed());
}

TEST_F(DataFileGuardTest, AFileWithCutListsWithoutACopyHoldsSavesBackUntilOneIsMade) {
  CLoadReport report;
  report.format = DataFormat::kCurrent;
  report.cutFileLists = 1;
  guard.Loaded(report);
  EXPECT_FALSE(guard.SaveAllowed());
  EXPECT_TRUE(guard.MakeSaveAllowed());
  EXPECT_EQ(CopiesBeside("cut"), 1);
  report.damagedCopy = folder.Path() / "data.dat.cut-20261209-190000";
  guard.Loaded(report);
  EXPECT_TRUE(guard.SaveAllowed());
}

}  // namespace
