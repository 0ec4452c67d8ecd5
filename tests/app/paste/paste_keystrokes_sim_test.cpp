// What the paste keystroke hands the system, as the model records it.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/paste/paste_keystrokes.h"
#include "foundation/key_combination.h"
#include "platform/sim/sim_control.h"

namespace {

TEST(PasteKeystrokesSimTest, OneBatchWithTheLayoutsScanCodesAndTheExtendedFlag) {
  sim::Reset();
  sim::SetKeyDown(VK_RMENU, true);
  ASSERT_TRUE(SendPasteKeystrokes(EPasteChord::kCtrlV, GetKeyboardLayout(0)));
  const std::vector<sim::SentKey> sent = sim::SentKeys();
  const std::vector<sim::SentKey> expected = {
      {kMaskKey, 0, false, false},      {kMaskKey, 0, true, false},
      {VK_RMENU, 0x38, true, true},     {VK_LCONTROL, 0x1D, false, false},
      {'V', 0x2F, false, false},        {'V', 0x2F, true, false},
      {VK_LCONTROL, 0x1D, true, false}, {VK_RMENU, 0x38, false, true},
      {kMaskKey, 0, false, false},      {kMaskKey, 0, true, false}};
  EXPECT_EQ(sent, expected);
  EXPECT_LT(GetAsyncKeyState(VK_RMENU), 0);
  EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0);
  sim::Reset();
}

// On Windows the system applies the keys after SendInput has returned: the paste waits
// for them, so that the key poll that follows reads the user's keys, not these.
TEST(PasteKeystrokesSimTest, ReturnsOnlyOnceTheSystemHasAppliedTheKeys) {
  sim::Reset();
  sim::DelaySentInput(true);
  sim::SetKeyDown(VK_LMENU, true);
  sim::SetKeyDown('1', true);
  EXPECT_TRUE(SendPasteKeystrokes(EPasteChord::kCtrlV, GetKeyboardLayout(0)));
  EXPECT_EQ(sim::PendingInput(), 0u);
  EXPECT_EQ(sim::SentKeys().size(), 10u);
  EXPECT_EQ(ScanKeyCombination(), 0x8031);  // Alt+1, as held
  sim::Reset();
}

bool IsDown(int key) {
  return GetAsyncKeyState(key) < 0;
}

// An elevated program in front, or a desktop switch, cuts the batch short: the paste is
// reported as failed, and no key stays down that the user does not hold.
TEST(PasteKeystrokesSimTest, ABatchCutShortIsUndoneAndTheUsersModifiersHeldAgain) {
  for (std::size_t taken = 0; taken < 10; ++taken) {
    sim::Reset();
    sim::SetKeyDown(VK_RMENU, true);
    sim::SetKeyDown(VK_LSHIFT, true);
    // The second number is the mask's release; the undo is taken whole.
    sim::CutSentInput({taken, taken == 9 ? std::size_t{0} : SIZE_MAX});
    SCOPED_TRACE("taken " + std::to_string(taken));
    EXPECT_FALSE(SendPasteKeystrokes(EPasteChord::kCtrlV, GetKeyboardLayout(0)));
    EXPECT_EQ(ReadHeldModifiers(), kRightAltKey | kLeftShiftKey);
    EXPECT_FALSE(IsDown('V'));
    EXPECT_FALSE(IsDown(kMaskKey));
  }
  sim::Reset();
}

TEST(PasteKeystrokesSimTest, AnUndoCutShortIsTriedAgain) {
  sim::Reset();
  sim::SetKeyDown(VK_LMENU, true);
  sim::CutSentInput({5, 1});  // through Ctrl+V's V down; then only V up of the undo
  EXPECT_FALSE(SendPasteKeystrokes(EPasteChord::kCtrlV, GetKeyboardLayout(0)));
  EXPECT_EQ(ReadHeldModifiers(), kLeftAltKey);
  EXPECT_FALSE(IsDown('V'));
  EXPECT_FALSE(IsDown(kMaskKey));
  sim::Reset();
}

TEST(PasteKeystrokesSimTest, TheAltThatLiftsTheForegroundLockIsNeverLeftDown) {
  for (std::size_t taken = 0; taken <= 4; ++taken) {
    sim::Reset();
    sim::CutSentInput({taken});
    TapMaskedAlt();
    EXPECT_EQ(ReadHeldModifiers(), 0) << taken;
    EXPECT_FALSE(IsDown(kMaskKey)) << taken;
  }
  sim::Reset();
}

}  // namespace
