// What the paste keystroke hands the system, as the model records it.

#include <gtest/gtest.h>

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

}  // namespace
