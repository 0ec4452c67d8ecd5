// The hot-key control's value and the program's KeyCombination, converted at the control.

#include "dialogs/hot_key_value.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(HotKeyValueTest, CtrlAltVIs0x0656InTheControlAnd0xC056Outside) {
  EXPECT_EQ(HotKeyControlValueFromKeyCombination(0xC056), 0x0656);
  EXPECT_EQ(KeyCombinationFromHotKeyControl(0x0656), 0xC056);
}

TEST(HotKeyValueTest, EachModifierMapsToItsOwnFlag) {
  EXPECT_EQ(KeyCombinationFromHotKeyControl(0x0141), kKeyShift | 'A');
  EXPECT_EQ(KeyCombinationFromHotKeyControl(0x0241), kKeyCtrl | 'A');
  EXPECT_EQ(KeyCombinationFromHotKeyControl(0x0441), kKeyAlt | 'A');
  EXPECT_EQ(HotKeyControlValueFromKeyCombination(kKeyShift | kKeyCtrl | kKeyAlt | 0x70), 0x0770);
}

TEST(HotKeyValueTest, NoHotKeyIsZeroBothWays) {
  EXPECT_EQ(KeyCombinationFromHotKeyControl(0), 0);
  EXPECT_EQ(HotKeyControlValueFromKeyCombination(0), 0);
}

TEST(HotKeyValueTest, TheExtendedFlagAndBitsWithoutAPlaceAreDropped) {
  EXPECT_EQ(KeyCombinationFromHotKeyControl(0x0A2D), kKeyCtrl | 0x2D);  // Ctrl+Insert, extended
  EXPECT_EQ(HotKeyControlValueFromKeyCombination(0x1F41), 0x0041);
}

TEST(HotKeyValueTest, EveryCombinationOfTheControlSurvivesTheRoundTrip) {
  for (unsigned flags = 0; flags < 8; ++flags) {
    for (unsigned key = 0; key < 256; ++key) {
      const auto control = static_cast<std::uint16_t>(flags << 8 | key);
      EXPECT_EQ(HotKeyControlValueFromKeyCombination(KeyCombinationFromHotKeyControl(control)),
                control);
    }
  }
}

}  // namespace
