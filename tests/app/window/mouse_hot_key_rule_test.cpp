// Which mouse presses are hot keys and are kept, with their releases, from the program
// under the mouse.

#include <gtest/gtest.h>

#include "app/window/mouse_hot_key_rule.h"

namespace {

constexpr KeyCombination kCtrlClick = 0x4001;
constexpr KeyCombination kCtrlAltV = 0xC056;
constexpr KeyCombination kShiftMiddle = 0x2004;
constexpr MouseVerdict kPass{};
constexpr MouseVerdict kSwallowRelease{true, std::nullopt};

MouseButtonEvent Press(std::uint8_t button, KeyCombination modifiers) {
  return {button, true, modifiers};
}

MouseButtonEvent Release(std::uint8_t button, KeyCombination modifiers = 0) {
  return {button, false, modifiers};
}

class MouseHotKeyRuleTest : public ::testing::Test {
 protected:
  void SetUp() override { rule_.Watch({kCtrlClick, kCtrlAltV}); }
  CMouseHotKeyRule rule_;
};

TEST_F(MouseHotKeyRuleTest, CtrlClickIsSwallowedAndFiresOnceWithItsRelease) {
  EXPECT_EQ(rule_.Judge(Press(kLeftButton, kKeyCtrl)), (MouseVerdict{true, kCtrlClick}));
  // Ctrl let go before the button: the release still belongs to the swallowed press.
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kSwallowRelease);
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kPass);
}

TEST_F(MouseHotKeyRuleTest, ClicksThatAreNoHotKeyPassWithTheirReleases) {
  EXPECT_EQ(rule_.Judge(Press(kLeftButton, 0)), kPass);
  EXPECT_EQ(rule_.Judge(Release(kLeftButton, kKeyCtrl)), kPass);  // Ctrl came after the press
  EXPECT_EQ(rule_.Judge(Press(kLeftButton, kKeyCtrl | kKeyShift)), kPass);
  EXPECT_EQ(rule_.Judge(Press(kLeftButton, kKeyCtrl | kKeyAlt)), kPass);
  EXPECT_EQ(rule_.Judge(Press(kRightButton, kKeyCtrl)), kPass);
  EXPECT_EQ(rule_.Judge(Release(kRightButton, kKeyCtrl)), kPass);
  EXPECT_EQ(rule_.Judge(Press(kMiddleButton, kKeyCtrl)), kPass);
}

TEST_F(MouseHotKeyRuleTest, AnotherButtonPressedDuringAHotKeyPasses) {
  ASSERT_TRUE(rule_.Judge(Press(kLeftButton, kKeyCtrl)).swallow);
  EXPECT_EQ(rule_.Judge(Press(kRightButton, 0)), kPass);
  EXPECT_EQ(rule_.Judge(Release(kRightButton)), kPass);
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kSwallowRelease);
}

TEST_F(MouseHotKeyRuleTest, WithButtonsSwappedThePrimaryIsThePhysicalRightButton) {
  MouseButtonEvent rightPress = Press(kRightButton, kKeyCtrl);
  rightPress.buttonsSwapped = true;
  EXPECT_EQ(rule_.Judge(rightPress), (MouseVerdict{true, kCtrlClick}));
  MouseButtonEvent leftPress = Press(kLeftButton, kKeyCtrl);
  leftPress.buttonsSwapped = true;
  EXPECT_EQ(rule_.Judge(leftPress), kPass);
  // The release is the physical button's that was swallowed.
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kPass);
  EXPECT_EQ(rule_.Judge(Release(kRightButton)), kSwallowRelease);
}

TEST_F(MouseHotKeyRuleTest, WhilePausedPressesPassButASwallowedPressKeepsItsRelease) {
  ASSERT_TRUE(rule_.Judge(Press(kLeftButton, kKeyCtrl)).swallow);
  rule_.SetPaused(true);  // the popup it opened is shown
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kSwallowRelease);
  EXPECT_EQ(rule_.Judge(Press(kLeftButton, kKeyCtrl)), kPass);
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kPass);
  rule_.SetPaused(false);
  EXPECT_TRUE(rule_.Judge(Press(kLeftButton, kKeyCtrl)).swallow);
}

TEST_F(MouseHotKeyRuleTest, ACtrlClickOnTheProgramsOwnWindowIsNoHotKeyAndKeepsItsRelease) {
  MouseButtonEvent press = Press(kLeftButton, kKeyCtrl);
  press.onOwnWindow = true;
  EXPECT_EQ(rule_.Judge(press), kPass);
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kPass);
  press.onOwnWindow = false;
  EXPECT_EQ(rule_.Judge(press), (MouseVerdict{true, kCtrlClick}));
}

TEST_F(MouseHotKeyRuleTest, AltGrWithAClickIsNoHotKey) {
  rule_.Watch({0xC001});
  MouseButtonEvent press = Press(kLeftButton, kKeyCtrl | kKeyAlt);
  press.altGrPossible = true;
  EXPECT_EQ(rule_.Judge(press), kPass);
  press.altGrPossible = false;
  EXPECT_EQ(rule_.Judge(press), (MouseVerdict{true, KeyCombination{0xC001}}));
}

TEST_F(MouseHotKeyRuleTest, AReleaseNeverSeenIsForgottenAtTheNextPress) {
  ASSERT_TRUE(rule_.Judge(Press(kLeftButton, kKeyCtrl)).swallow);
  EXPECT_EQ(rule_.Judge(Press(kLeftButton, 0)), kPass);
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kPass);
}

TEST_F(MouseHotKeyRuleTest, ChangedHotKeysTakeEffectAndKeepAPendingRelease) {
  ASSERT_TRUE(rule_.Judge(Press(kLeftButton, kKeyCtrl)).swallow);
  rule_.Watch({kShiftMiddle});
  EXPECT_EQ(rule_.Judge(Release(kLeftButton)), kSwallowRelease);
  EXPECT_EQ(rule_.Judge(Press(kLeftButton, kKeyCtrl)), kPass);
  EXPECT_EQ(rule_.Judge(Press(kMiddleButton, kKeyShift)), (MouseVerdict{true, kShiftMiddle}));
}

TEST(MouseHotKeysTest, OnlyHotKeysWithAMouseButtonNeedTheHook) {
  CMouseHotKeyRule rule;
  EXPECT_FALSE(rule.HasMouseHotKeys());
  rule.Watch({kCtrlAltV, 0x4003, 0x2007, 0});  // Ctrl+Break (3) and 7 are keys
  EXPECT_FALSE(rule.HasMouseHotKeys());
  for (KeyCombination button : {0x01, 0x02, 0x04, 0x05, 0x06}) {
    rule.Watch({kCtrlAltV, static_cast<KeyCombination>(kKeyAlt | button)});
    EXPECT_TRUE(rule.HasMouseHotKeys()) << button;
  }
  rule.Watch({kCtrlAltV});
  EXPECT_FALSE(rule.HasMouseHotKeys());
}

TEST(MouseHotKeysTest, TheClipsMouseHotKeysAreWatchedWithThePopupsEachOnce) {
  const std::map<unsigned short, unsigned int> clips{
      {0x4001, 7}, {0x2004, 8}, {0x4031, 9}, {0x8006, 10}};  // 0x4031 is Ctrl+1
  const KeyCombination popup[] = {kCtrlClick, kCtrlAltV};
  std::vector<KeyCombination> mouse{0x2001};  // as collected before
  CollectMouseHotKeys(popup, clips, mouse);
  EXPECT_EQ(mouse, (std::vector<KeyCombination>{0x2004, 0x4001, 0x8006}));
  const KeyCombination keysOnly[] = {0, kCtrlAltV};
  CollectMouseHotKeys(keysOnly, {{0x4031, 9}}, mouse);
  EXPECT_EQ(mouse, std::vector<KeyCombination>{});
}

}  // namespace
