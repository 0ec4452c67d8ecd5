// What the hot key dialog returns and which keys its control refuses.

#include "app/shell/hot_key_rules.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(HotKeyFormRulesTest, OkGivesTheValueAndZeroMeansNoHotKey) {
  EXPECT_EQ(HotKeyFormResult(true, 0xC056), std::optional<KeyCombination>(0xC056));
  EXPECT_EQ(HotKeyFormResult(true, 0), std::optional<KeyCombination>(0));
  EXPECT_EQ(HotKeyFormResult(false, 0xC056), std::nullopt);
}

TEST(HotKeyFormRulesTest, AKeyAloneGetsAltAndTheSettingsKeyGetsCtrlAlt) {
  EXPECT_EQ(kHotKeyFormInvalidCombinations, 0x0001);  // HKCOMB_NONE
  EXPECT_EQ(kHotKeyFormReplacementModifiers, kHotKeyControlFlagAlt);
}

}  // namespace
