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

// The system takes any Ctrl+Alt for AltGr on such a layout: left Ctrl, left Alt and 7
// type "{" as well, and right Ctrl with left Alt and Q "@".
TEST_F(HeldKeysTest, LeftAltWithAKeyThatTypesACharacterIsAltGrToo) {
  UseLayout(sim::kLayoutGerman);
  Hold({VK_LCONTROL, VK_LMENU, '7'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC037, true}));
  sim::ReleaseAllKeys();
  Hold({VK_RCONTROL, VK_LMENU, 'Q'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC051, true}));
  sim::ReleaseAllKeys();
  Hold({VK_LCONTROL, VK_LMENU, VK_RMENU, 'E'});  // both Alts: still the euro sign
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xC045, true}));
}

TEST_F(HeldKeysTest, ShiftDecidesWhetherTheChordTypesACharacter) {
  UseLayout(sim::kLayoutGerman);
  Hold({VK_LSHIFT, VK_LCONTROL, VK_LMENU, '7'});  // Shift+AltGr+7 types nothing
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xE037, false}));
  sim::ReleaseAllKeys();
  UseLayout(sim::kLayoutPolish);
  Hold({VK_LSHIFT, VK_LCONTROL, VK_LMENU, 'A'});  // a capital A with ogonek
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0xE041, true}));
}

TEST_F(HeldKeysTest, TheLayoutInFrontDecides) {
  Hold({VK_LCONTROL, VK_LMENU, '7'});
  UseLayout(sim::kLayoutUnitedStates);
  EXPECT_FALSE(ReadHeldKeys().altGr);
  UseLayout(sim::kLayoutGerman);
  EXPECT_TRUE(ReadHeldKeys().altGr);
  UseLayout(sim::kLayoutFrench);  // "{" is on 4 there, and 7 types nothing with AltGr
  EXPECT_FALSE(ReadHeldKeys().altGr);
}

TEST_F(HeldKeysTest, RightAltWithoutCtrlIsNoAltGrCombination) {
  UseLayout(sim::kLayoutFrench);
  Hold({VK_RMENU, '1'});
  EXPECT_EQ(ReadHeldKeys(), (HeldKeys{0x8031, false}));
}

}  // namespace
