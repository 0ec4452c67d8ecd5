// The paste into the program that was in front: a target that is gone is not waited for,
// one that closes while it is waited for ends the wait, and a paste that did not arrive is
// reported as such. The model's clock advances only while the paste sleeps.

#include "app/paste/target_paste.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_control.h"

namespace {

// A target window as a script: it exists for `existsFor` more looks, comes to the front
// after `inFrontAfter` looks (never when negative), and takes or refuses the paste.
class CScriptedTarget final : public CPasteTargetPort {
 public:
  int existsFor = 1'000'000;
  int inFrontAfter = 0;
  EPasteWay way = EPasteWay::kCtrlV;
  bool takesPaste = true;

  std::vector<bool> asks;  // liftLock of each AskForFront
  int messagesProcessed = 0;
  int posts = 0;
  std::vector<EPasteChord> typed;

  bool TargetExists() override { return existsFor-- > 0; }
  bool TargetInFront() override { return inFrontAfter >= 0 && inFrontAfter-- == 0; }
  void AskForFront(bool liftLock) override { asks.push_back(liftLock); }
  void ProcessWaitingMessages() override { ++messagesProcessed; }
  EPasteWay WayFor(EPasteMethod) override { return way; }
  bool PostPasteMessage() override {
    ++posts;
    return takesPaste;
  }
  bool TypePasteChord(EPasteChord chord) override {
    typed.push_back(chord);
    return takesPaste;
  }
};

class TargetPasteTest : public ::testing::Test {
 protected:
  TargetPasteTest() { sim::Reset(); }
  ~TargetPasteTest() override { sim::Reset(); }

  EPasteResult Paste(EPasteMethod method = EPasteMethod::kAutomatic) {
    const DWORD start = GetTickCount();
    const EPasteResult result = PasteIntoTarget(target, method);
    waited = GetTickCount() - start;
    return result;
  }

  CScriptedTarget target;
  DWORD waited = 0;
};

TEST_F(TargetPasteTest, AGoneTargetIsNotWaitedForAndTheCaptureStillRuns) {
  target.existsFor = 0;
  EXPECT_EQ(Paste(), EPasteResult::kTargetGone);
  EXPECT_EQ(waited, 0u);
  EXPECT_TRUE(target.asks.empty());
  EXPECT_TRUE(target.typed.empty());
  EXPECT_GE(target.messagesProcessed, 1);
}

TEST_F(TargetPasteTest, ATargetThatClosesWhileWaitedForEndsTheWait) {
  target.inFrontAfter = -1;
  target.existsFor = 4;
  EXPECT_EQ(Paste(), EPasteResult::kTargetGone);
  EXPECT_LT(waited, kForegroundPatienceMilliseconds / 2);
  EXPECT_EQ(target.asks, std::vector<bool>{false});
  EXPECT_TRUE(target.typed.empty());
}

TEST_F(TargetPasteTest, AKeptBehindTargetIsAskedTwiceAndGetsOnlyTheMessage) {
  target.inFrontAfter = -1;
  EXPECT_EQ(Paste(), EPasteResult::kKeptBehind);
  EXPECT_EQ(target.asks, (std::vector<bool>{false, true}));
  EXPECT_TRUE(target.typed.empty());

  target.asks.clear();
  target.way = EPasteWay::kMessage;
  EXPECT_EQ(Paste(), EPasteResult::kPasted);
  EXPECT_EQ(target.posts, 1);
}

TEST_F(TargetPasteTest, ATargetInFrontGetsTheChordAndARefusalIsReported) {
  target.inFrontAfter = 3;
  target.way = EPasteWay::kShiftInsert;
  EXPECT_EQ(Paste(), EPasteResult::kPasted);
  EXPECT_EQ(target.typed, std::vector<EPasteChord>{EPasteChord::kShiftInsert});
  EXPECT_EQ(target.asks, std::vector<bool>{false});

  target.takesPaste = false;
  target.inFrontAfter = 0;
  EXPECT_EQ(Paste(), EPasteResult::kRefused);
  target.way = EPasteWay::kMessage;
  EXPECT_EQ(Paste(), EPasteResult::kRefused);
}

TEST_F(TargetPasteTest, EveryFailureIsToldWithTheClipOnTheClipboardAndASuccessIsNot) {
  EXPECT_FALSE(PasteFailureNotice(EPasteResult::kPasted));
  for (const EPasteResult failure :
       {EPasteResult::kTargetGone, EPasteResult::kKeptBehind, EPasteResult::kRefused}) {
    const auto notice = PasteFailureNotice(failure);
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find(u"on the clipboard"), std::u16string::npos);
  }
}

TEST_F(TargetPasteTest, QuickPasteTypesIntoWhateverIsInFrontAndReportsARefusal) {
  target.inFrontAfter = -1;
  EXPECT_EQ(PasteIntoFront(target, EPasteMethod::kCtrlV), EPasteResult::kPasted);
  EXPECT_TRUE(target.asks.empty());
  target.takesPaste = false;
  EXPECT_EQ(PasteIntoFront(target, EPasteMethod::kCtrlV), EPasteResult::kRefused);
}

}  // namespace
