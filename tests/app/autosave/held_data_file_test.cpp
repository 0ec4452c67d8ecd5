// Deleted clips leave the disk when another program (a virus scanner, a backup, a viewer)
// holds the data file open at the moment of the save: Windows will not replace a file held
// without leave to delete it.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "platform/handles.h"
#include "tests/app/autosave/erase_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using Files = std::vector<std::string>;

// The data file opened by someone else, for reading and letting others only read.
class CFileHold {
 public:
  explicit CFileHold(const std::filesystem::path& path)
      : file_(AdoptFile(CreateFileW(AsWide(path.u16string().c_str()), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {}
  ~CFileHold() {
    if (releaser_.joinable()) releaser_.join();
  }
  bool Holding() const { return static_cast<bool>(file_); }
  void Release() { file_.reset(); }
  void ReleaseAfter(std::chrono::milliseconds delay) {
    releaser_ = std::thread([this, delay] {
      std::this_thread::sleep_for(delay);
      Release();
    });
  }

 private:
  UniqueFile file_;
  std::thread releaser_;
};

class HeldDataFileTest : public EraseTest {
 protected:
  // Texts in the data file and in the journal, as after a while of copying.
  void CopyIntoTheJournal() {
    CopyTexts({kJournalSecret, u"kept in the journal"});
    saver.MarkChanged();
    Settle(100);
    CopyTexts({kPassingSecret});
    saver.MarkChanged();
    Settle(200);
    ASSERT_EQ(FilesHolding(kPassingSecret), Files{"data.dat.journal"});
    ASSERT_EQ(FilesHolding(kFileSecret), Files{"data.dat"});
  }
};

TEST_F(HeldDataFileTest, ADeletionWhileTheDataFileIsHeldForAMomentLeavesItOnceItIsLetGo) {
  CopyIntoTheJournal();
  CFileHold hold(DataPath());
  ASSERT_TRUE(hold.Holding());
  hold.ReleaseAfter(std::chrono::milliseconds(300));

  DeleteAndErase({kFileSecret, kJournalSecret, kPassingSecret});
  Settle(300);
  EXPECT_FALSE(saver.LastError().has_value()) << *saver.LastError();
  EXPECT_EQ(FilesHolding(kFileSecret), Files{});
  EXPECT_EQ(FilesHolding(kJournalSecret), Files{});
  EXPECT_EQ(FilesHolding(u"kept in the journal"), Files{"data.dat"});
  EXPECT_EQ(NextStartHistory(), History());
}

TEST_F(HeldDataFileTest,
       ADeletionThatFindsTheDataFileHeldLongerLeavesTheJournalAtOnceAndTheFileSoon) {
  CopyIntoTheJournal();
  const std::string fileBefore = FileBytes(DataPath());
  CFileHold hold(DataPath());
  ASSERT_TRUE(hold.Holding());

  DeleteAndErase({kFileSecret, kJournalSecret, kPassingSecret});
  Settle(300);
  ASSERT_TRUE(saver.LastError().has_value());
  EXPECT_EQ(FileBytes(DataPath()), fileBefore);
  EXPECT_EQ(FilesHolding(kJournalSecret), Files{});
  EXPECT_EQ(FilesHolding(kPassingSecret), Files{});
  EXPECT_EQ(FilesHolding(kFileSecret), Files{"data.dat"});  // until a save gets through
  EXPECT_EQ(FilesHolding(u"kept in the journal"), Files{"data.dat.journal"});

  // Changes after the rewrite follow it in the journal.
  CopyTexts({u"after the rewrite"});
  saver.MarkChanged();
  Settle(400);
  EXPECT_EQ(FilesHolding(u"after the rewrite"), Files{"data.dat.journal"});
  EXPECT_EQ(FilesHolding(kFileSecret), Files{"data.dat"});

  // Let go, the file is tried again within seconds, not after the minute of an ordinary
  // failed save.
  hold.Release();
  Settle(300 + CAutoSaver::kEraseRetryMs);
  EXPECT_FALSE(saver.LastError().has_value()) << *saver.LastError();
  EXPECT_EQ(FilesHolding(kFileSecret), Files{});
  EXPECT_EQ(FilesHolding(u"after the rewrite"), Files{"data.dat"});
  EXPECT_EQ(NextStartHistory(), History());
}

TEST(SafeFileWriterTest, AFileHeldForAMomentIsReplacedOnceItIsLetGoAndOneHeldLongerIsLeftAsItWas) {
  const CTempFolder folder;
  const std::filesystem::path path = folder.Path() / u"\u043a\u043b\u0438\u043f.dat";
  PutFile(path, "old");
  const std::vector<std::uint8_t> fresh{'n', 'e', 'w'};
  {
    CFileHold hold(path);
    ASSERT_TRUE(hold.Holding());
    hold.ReleaseAfter(std::chrono::milliseconds(100));
    ReplaceFileSafely(path, fresh, "test file");
  }
  EXPECT_EQ(FileBytes(path), "new");

  CFileHold hold(path);
  ASSERT_TRUE(hold.Holding());
  EXPECT_THROW(ReplaceFileSafely(path, std::vector<std::uint8_t>{'x'}, "test file"), CFileError);
  hold.Release();
  EXPECT_EQ(FileBytes(path), "new");
  std::filesystem::path saving = path;
  saving += ".saving";
  EXPECT_FALSE(std::filesystem::exists(saving));
}

}  // namespace
