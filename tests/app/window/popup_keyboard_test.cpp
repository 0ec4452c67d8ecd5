// When the popup takes the keyboard and gives it back, against a model of the desktop: a
// program in front that may take the keyboard back, keys still held from the hot key.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/popup_keyboard.h"

namespace {

class FakeDesktop : public CPopupKeyboardPort {
 public:
  bool AnyKeyHeld() override { return keysHeld; }
  std::uint32_t Now() override { return now; }
  bool WindowInFront() override { return popupInFront; }
  bool BringWindowToFront() override {
    if (refuseFront) return false;
    popupInFront = true;
    return true;
  }
  void AskToBeInFront() override { popupInFront = !refuseFront; }
  void FocusList() override { focus.push_back("list"); }
  void FocusSearchOrList() override { focus.push_back(searchOpen ? "search" : "list"); }
  void ActivateTarget() override {
    popupInFront = false;
    targetActivated = true;
  }

  bool keysHeld = false;
  std::uint32_t now = 1000;
  bool popupInFront = false;
  bool refuseFront = false;
  bool searchOpen = false;
  bool targetActivated = false;
  std::vector<std::string> focus;
};

class PopupKeyboardTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  CPopupKeyboard keyboard{desktop};
};

TEST_F(PopupKeyboardTest, TakesTheKeyboardOnlyOnceTheHotKeysKeysAreLetGo) {
  desktop.keysHeld = true;
  keyboard.Opened();
  keyboard.Tick();
  EXPECT_FALSE(desktop.popupInFront);
  EXPECT_TRUE(desktop.focus.empty());
  desktop.keysHeld = false;
  keyboard.Tick();
  EXPECT_TRUE(desktop.popupInFront);
  keyboard.Tick();
  EXPECT_EQ(desktop.focus, std::vector<std::string>{"list"});  // taken once
}

TEST_F(PopupKeyboardTest, TakesTheKeyboardBackFromTheProgramBeforeForAMomentOnly) {
  keyboard.Opened();
  ASSERT_EQ(desktop.focus, std::vector<std::string>{"list"});
  desktop.popupInFront = false;  // the program that was in front took it back
  desktop.searchOpen = true;
  desktop.now += CPopupKeyboard::kHoldMilliseconds;
  keyboard.Tick();
  EXPECT_TRUE(desktop.popupInFront);
  EXPECT_EQ(desktop.focus.back(), "search");
  desktop.popupInFront = false;
  desktop.now += 1;
  keyboard.Tick();
  EXPECT_FALSE(desktop.popupInFront);
  EXPECT_EQ(desktop.focus.size(), 2u);
}

TEST_F(PopupKeyboardTest, GivesNoFocusWhenTheSystemRefusesThePopupTheFront) {
  desktop.refuseFront = true;
  keyboard.Opened();
  keyboard.Tick();
  EXPECT_TRUE(desktop.focus.empty());
}

TEST_F(PopupKeyboardTest, AClipGoingToItsTargetEndsTheTakingAndTheHolding) {
  desktop.keysHeld = true;
  keyboard.Opened();
  keyboard.LetGo();
  desktop.keysHeld = false;
  keyboard.Tick();
  EXPECT_FALSE(desktop.popupInFront);

  keyboard.Opened();
  keyboard.LetGo();
  desktop.popupInFront = false;
  keyboard.Tick();
  EXPECT_FALSE(desktop.popupInFront);
}

TEST_F(PopupKeyboardTest, ClosingGivesTheKeyboardBackOnlyIfThePopupHasIt) {
  keyboard.Opened();
  keyboard.Closed();
  EXPECT_TRUE(desktop.targetActivated);

  desktop.targetActivated = false;
  keyboard.Opened();
  desktop.popupInFront = false;  // the user went to another program meanwhile
  keyboard.Closed();
  EXPECT_FALSE(desktop.targetActivated);
  keyboard.Tick();
  EXPECT_FALSE(desktop.popupInFront);  // and nothing takes it back after the close
}

}  // namespace
