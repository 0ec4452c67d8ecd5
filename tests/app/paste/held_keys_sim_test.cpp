// AltGr told apart from Ctrl+Alt, on the keyboard layouts of the model.

#include "app/paste/held_keys.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_control.h"

namespace {

class HeldKeysTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }
  void TearDown() override { sim::Reset(); }

  static void Hold(std::initializer_list<int> keys) {
    for (int key : keys) sim::SetKeyDown(key, true);
  }
  static void UseLayout(std::uint32_t id) { sim::SetKeyboardLayout(sim::KeyboardLayout(id)); }
};

TEST_F(HeldKeysTest, LayoutsWithCharactersOnCtrlAltHaveAltGr) {
  EXPECT_FALSE(LayoutHasAltGr(sim::KeyboardLayout(sim::kLayoutUnitedStates)));
  EXPECT_TRUE(LayoutHasAltGr(sim::KeyboardLayout(sim::kLayoutGerman)));
  EXPECT_TRUE(LayoutHasAltGr(sim::KeyboardLayout(sim::kLayoutFrench)));
  EXPECT_TRUE(LayoutHasAltGr(sim::KeyboardLayout(sim::kLayoutPolish)));
  EXPECT_FALSE(LayoutHasAltGr(sim::KeyboardLayout(0x12345678)));  // types nothing
}

// "{" on a German keyboard: the system reports AltGr as right Alt with a left Ctrl.
TEST_F(HeldKeysTest, AltGrWithADigitOnAGermanLayoutTypesACharacter) {
  UseLayout(sim::kLayoutGerman);
  Hold({VK_LCONTROL, VK_RMENU, '7'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC037, true}));
}

TEST_F(HeldKeysTest, RightAltIsPlainAltOnALayoutWithoutAltGr) {
  UseLayout(sim::kLayoutUnitedStates);
  Hold({VK_LCONTROL, VK_RMENU, 'V'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC056, false}));
}

TEST_F(HeldKeysTest, LeftAltWithEitherCtrlIsARealCtrlAltOnAnAltGrLayout) {
  UseLayout(sim::kLayoutPolish);
  Hold({VK_LCONTROL, VK_LMENU, 'V'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC056, false}));
  sim::ReleaseAllKeys();
  Hold({VK_RCONTROL, VK_LMENU, '1'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC031, false}));
  sim::ReleaseAllKeys();
  Hold({VK_LCONTROL, VK_LMENU, VK_RMENU, '1'});  // left Alt held as well
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC031, false}));
}

TEST_F(HeldKeysTest, RightAltWithoutCtrlIsNoAltGrCombination) {
  UseLayout(sim::kLayoutFrench);
  Hold({VK_RMENU, '1'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0x8031, false}));
}

}  // namespace
