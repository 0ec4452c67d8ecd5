// The clipboard put back after a "Paste as": not before the target has had its moment to
// read the text, not while another program holds the clipboard, and never over a copy made
// meanwhile.

#include "app/paste/paste_as_restore.h"

#include <gtest/gtest.h>

#include "tests/support/store_fixture.h"

namespace {

class PasteAsRestoreTest : public StoreTest {
 protected:
  // The clipboard held `before`; "Paste as" put `pasted` there at time 0.
  void PasteAs(const std::u16string& before, const std::u16string& pasted) {
    CopyTexts({before});
    CClipboardSnapshot snapshot;
    ASSERT_EQ(snapshot.Take(driver.OwnerWindow()), CClipboardSnapshot::ETaken::kTaken);
    ASSERT_TRUE(PutPasteAsText(driver.OwnerWindow(), pasted));
    restore.Arm(std::move(snapshot), GetClipboardSequenceNumber(), 0);
  }

  CPasteAsRestore::EStep Tick(DWORD now) { return restore.Tick(driver.OwnerWindow(), now); }

  CPasteAsRestore restore;
};

TEST_F(PasteAsRestoreTest, TheContentBeforeComesBackOnceThePasteHasHadTimeToArrive) {
  PasteAs(u"before", u"BEFORE");
  EXPECT_EQ(Tick(CPasteAsRestore::kArrivalMilliseconds - 1), CPasteAsRestore::EStep::kWaiting);
  EXPECT_EQ(driver.ReadUnicodeText(), u"BEFORE");
  EXPECT_EQ(Tick(CPasteAsRestore::kArrivalMilliseconds), CPasteAsRestore::EStep::kRestored);
  EXPECT_EQ(driver.ReadUnicodeText(), u"before");
  EXPECT_EQ(History(), std::vector<std::u16string>{u"before"});
  EXPECT_EQ(Tick(CPasteAsRestore::kArrivalMilliseconds + 10), CPasteAsRestore::EStep::kIdle);
}

TEST_F(PasteAsRestoreTest, ACopyMadeMeanwhileStaysAndNothingIsPutBack) {
  PasteAs(u"before", u"BEFORE");
  CopyTexts({u"copied meanwhile"});
  EXPECT_EQ(Tick(CPasteAsRestore::kArrivalMilliseconds), CPasteAsRestore::EStep::kReplaced);
  EXPECT_EQ(driver.ReadUnicodeText(), u"copied meanwhile");
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"copied meanwhile", u"before"}));
}

TEST_F(PasteAsRestoreTest, AClipboardHeldOpenIsWaitedForThenGivenUpOnAndTold) {
  PasteAs(u"before", u"BEFORE");
  {
    const auto hold = driver.HoldOpen(CClipboardDriver::kForever);
    EXPECT_EQ(Tick(CPasteAsRestore::kArrivalMilliseconds), CPasteAsRestore::EStep::kWaiting);
  }
  EXPECT_EQ(Tick(CPasteAsRestore::kArrivalMilliseconds + 20), CPasteAsRestore::EStep::kRestored);
  EXPECT_EQ(driver.ReadUnicodeText(), u"before");

  PasteAs(u"second", u"SECOND");
  const auto hold = driver.HoldOpen(CClipboardDriver::kForever);
  const DWORD late = CPasteAsRestore::kArrivalMilliseconds + CPasteAsRestore::kPatienceMilliseconds;
  EXPECT_EQ(Tick(late - 1), CPasteAsRestore::EStep::kWaiting);
  EXPECT_EQ(Tick(late), CPasteAsRestore::EStep::kFailed);
  EXPECT_FALSE(restore.Pending());
}

}  // namespace
