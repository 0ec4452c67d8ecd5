// Failures that only the model can cause on demand: a disk that fills up part-way, and
// file calls that fail. The old data file must survive every one of them.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "foundation/file_error.h"
#include "platform/sim/sim_control.h"
#include "tests/support/store_fixture.h"

namespace {

class SafeSaveTest : public StoreTest {
 protected:
  SafeSaveTest() {
    CopyTexts(NumberedTexts(10, u"saved "));
    store.SaveToFile(DataPath());
    saved = FileBytes();
    CopyTexts(NumberedTexts(10, u"unsaved "));
  }

  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
  std::vector<std::uint8_t> FileBytes() const {
    std::ifstream in(DataPath(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  bool OnlyTheDataFileIsThere() const {
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
      if (entry.path().filename() != "data.dat" && entry.path().extension() != ".ini") return false;
    }
    return true;
  }

  std::vector<std::uint8_t> saved;
};

TEST_F(SafeSaveTest, DiskFullPartWayKeepsTheOldFile) {
  sim::SetDiskSpace(100);
  EXPECT_THROW(store.SaveToFile(DataPath()), CFileError);
  EXPECT_EQ(FileBytes(), saved);
  EXPECT_TRUE(OnlyTheDataFileIsThere());
}

TEST_F(SafeSaveTest, EveryFailingStepKeepsTheOldFile) {
  // (A move refused as if the file were held would be tried again: the medium refuses it.)
  for (const char* step : {"CreateFileW", "FlushFileBuffers", "MoveFileExW"}) {
    sim::FailNextFileCall(step, ERROR_WRITE_PROTECT);
    EXPECT_THROW(store.SaveToFile(DataPath()), CFileError) << step;
    EXPECT_EQ(FileBytes(), saved) << step;
    EXPECT_TRUE(OnlyTheDataFileIsThere()) << step;
  }
  EXPECT_TRUE(store.SaveToFile(DataPath()));
  EXPECT_NE(FileBytes(), saved);
}

TEST_F(SafeSaveTest, FileThatCannotBeOpenedLeavesTheStoreEmpty) {
  sim::FailNextFileCall("CreateFileW");
  EXPECT_THROW(store.LoadFromFile(DataPath()), CFileError);
  EXPECT_TRUE(store.Items().empty());
}

TEST_F(SafeSaveTest, DamageIsStillReportedWhenNoCopyCanBeMade) {
  { std::ofstream(DataPath(), std::ios::binary | std::ios::app).write("\x01\x00\x00\x00\x10", 5); }
  sim::FailNextFileCall("CopyFileW");
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  EXPECT_TRUE(store.LastLoad().damaged);
  EXPECT_TRUE(store.LastLoad().damagedCopy.empty());
  EXPECT_EQ(store.Items().size(), 10u);
}

}  // namespace
