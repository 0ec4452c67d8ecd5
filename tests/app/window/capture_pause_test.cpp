// Pausing capture: what the clipboard watch takes while paused and after a resume, and what
// the tray icon and the header say.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/capture_pause.h"
#include "store/database.h"
#include "tests/support/clip_texts.h"
#include "tests/support/clipboard_driver.h"

namespace {

// A store that takes the clipboard's changes as the main window does, through the pause.
class CapturePauseTest : public ::testing::Test {
 protected:
  CapturePauseTest() {
    store_.Attach(driver_.OwnerWindow());
    driver_.OnChange([this] { Announce(); });
  }
  ~CapturePauseTest() override { driver_.OnChange(nullptr); }

  // The watch announces a change (again): true when it was captured.
  bool Announce() { return pause_.TakeChange(store_, driver_.OwnerWindow()); }
  void Copy(const std::u16string& text) { ASSERT_TRUE(driver_.CopyText(text)); }
  void Resume() { pause_.Resume(GetClipboardSequenceNumber()); }
  std::vector<std::u16string> History() const { return ClipTexts(store_, kHistoryCategoryId); }

  CClipboardDriver driver_;
  CDataBase store_;
  CCapturePause pause_;
};

TEST_F(CapturePauseTest, ARunStartsCapturingAndCopiesWhilePausedAreNotTaken) {
  EXPECT_FALSE(pause_.Paused());
  Copy(u"before");
  pause_.Pause();
  EXPECT_TRUE(pause_.Paused());
  Copy(u"secret one");
  Copy(u"secret two");
  EXPECT_FALSE(Announce());
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"before"}));
}

TEST_F(CapturePauseTest, AfterAResumeOnlyTheNextCopyIsTakenNotTheContentCopiedMeanwhile) {
  Copy(u"before");
  pause_.Pause();
  Copy(u"copied while paused");
  Resume();
  EXPECT_FALSE(pause_.Paused());
  // A watch started again announces what is on the clipboard.
  EXPECT_FALSE(Announce());
  Copy(u"after");
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"after", u"before"}));
}

TEST_F(CapturePauseTest, AResumeWithoutAPauseLeavesTheContentOnTheClipboardToBeTaken) {
  driver_.OnChange(nullptr);
  Copy(u"not yet taken");
  Resume();
  EXPECT_TRUE(Announce());
  EXPECT_FALSE(Announce());  // the same content, announced again, is the newest clip already
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"not yet taken"}));
}

TEST_F(CapturePauseTest, AHistoryClipPutBackFromTheListWhilePausedStaysAsTheNewestClip) {
  Copy(u"older");
  Copy(u"newer");
  pause_.Pause();
  const int older = store_.Items().back()->id;
  ASSERT_TRUE(store_.PutItemToClipboard(older));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"older", u"newer"}));
  Copy(u"still not taken");
  EXPECT_EQ(History().size(), 2u);
}

TEST_F(CapturePauseTest, ToggleGoesBackAndForthAndAPauseAfterAResumeStopsCaptureAgain) {
  EXPECT_TRUE(pause_.Toggle(GetClipboardSequenceNumber()));
  Copy(u"first paused");
  EXPECT_FALSE(pause_.Toggle(GetClipboardSequenceNumber()));
  Copy(u"taken");
  EXPECT_TRUE(pause_.Toggle(GetClipboardSequenceNumber()));
  Copy(u"second paused");
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"taken"}));
}

TEST(CapturePauseRuleTest, AChangeWhoseNumberTheSystemCannotTellIsTakenOutsideAPause) {
  CCapturePause pause;
  pause.Pause();
  EXPECT_FALSE(pause.Takes(0));
  pause.Resume(0);
  EXPECT_TRUE(pause.Takes(0));
  EXPECT_TRUE(pause.Takes(17));
  pause.Pause();
  pause.Resume(17);
  EXPECT_FALSE(pause.Takes(17));
  EXPECT_TRUE(pause.Takes(18));
}

TEST(CapturePauseRuleTest, TheTrayTipAndTheHeaderSayThatCaptureIsPaused) {
  CCapturePause pause;
  EXPECT_EQ(pause.TrayTip(L"Quillery Pro 2.3"), L"Quillery Pro 2.3");
  EXPECT_EQ(pause.HeaderCaption(u"newest"), u"newest");
  pause.Pause();
  EXPECT_EQ(pause.TrayTip(L"Quillery Pro 2.3"), L"Quillery Pro 2.3 \u2013 capture paused");
  EXPECT_EQ(pause.HeaderCaption(u"newest"), u"Capture paused \u2013 newest");
  EXPECT_EQ(pause.HeaderCaption(u""), u"Capture paused");
}

}  // namespace
