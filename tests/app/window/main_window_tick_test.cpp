// The 10 ms tick: its order, the edge-triggered key and digit polls, quick paste in its
// three modes, the popup hot keys and the pause hot key.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/window/main_window_tick.h"

namespace {

constexpr KeyCombination kCtrlAltV = 0xC056;
constexpr KeyCombination kCtrlClick = 0x4001;

class CFakeTickPort : public CTickPort {
 public:
  std::optional<std::uint32_t> LastInputTime() override { return lastInput; }
  std::uint32_t Now() override { return now; }
  ScreenPoint CursorPos() override {
    ++cursorReads;
    return cursor;
  }
  ScreenRect WorkAreaAt(ScreenPoint) override { return {0, 0, 1280, 984}; }
  HeldKeys ReadKeys() override {
    ++keyReads;
    return {keys, altGr};
  }
  bool IsKeyDown(int key) override { return held.count(key) != 0; }
  void QuickPaste(int position, int categoryId) override {
    log.push_back("paste " + std::to_string(position) + " of " + std::to_string(categoryId));
    if (duringPaste) duringPaste();
  }
  void PasteByHotKey(KeyCombination code) override {
    actions.push_back("hot key " + std::to_string(code));
  }
  void RememberTarget() override { actions.push_back("target"); }
  void TogglePause() override { actions.push_back("pause"); }
  void GiveListTheKeyboard() override { actions.push_back("list keyboard"); }

  // Holds Ctrl/Alt (as bits of the combination) and digit keys.
  void Hold(KeyCombination modifiers, std::set<int> keysDown) {
    held = std::move(keysDown);
    keys = modifiers;
    if (!held.empty()) keys = static_cast<KeyCombination>(keys | *held.begin());
  }

  std::optional<std::uint32_t> lastInput;  // none: everything is read at every tick
  std::uint32_t now = 0;
  ScreenPoint cursor{1000, 20};  // over the docked window
  KeyCombination keys = 0;
  bool altGr = false;  // the held Ctrl+Alt is AltGr
  std::set<int> held;
  int cursorReads = 0;
  int keyReads = 0;
  std::vector<std::string> log;      // quick pastes
  std::vector<std::string> actions;  // hot keys and the popup's target
  std::function<void()> duringPaste;
};

class TickTest : public ::testing::Test {
 protected:
  void Tick() { tick_.Tick(state_, port_); }
  void SetMode(int mode) { tick_.ApplySettings({mode, kCtrlClick, kCtrlAltV}); }

  CDisplayState state_{{900, 10}, 29, CDisplayState::Settings{200, 388, 180, true}};
  CMainWindowTick tick_;
  CFakeTickPort port_;
};

using QuickPasteTest = TickTest;
using PopupHotKeyTest = TickTest;

TEST_F(QuickPasteTest, CtrlDigitPastesOncePerPress) {
  port_.Hold(kKeyCtrl, {'1'});
  Tick();
  Tick();
  port_.Hold(kKeyCtrl, {});
  Tick();
  port_.Hold(kKeyCtrl, {'1'});
  Tick();
  EXPECT_EQ(port_.log, (std::vector<std::string>{"paste 0 of 10", "paste 0 of 10"}));
}

TEST_F(QuickPasteTest, ModesChooseTheCategoryAndZeroIsTheTenth) {
  Tick();  // nothing held: 0 may fire from now on
  port_.Hold(kKeyAlt, {'0'});
  Tick();
  SetMode(2);
  port_.Hold(kKeyAlt, {'3'});
  Tick();
  port_.Hold(kKeyCtrl | kKeyAlt, {'2'});
  Tick();
  EXPECT_EQ(port_.log, (std::vector<std::string>{"paste 9 of 11", "paste 2 of 10", "paste 1 of 10",
                                                 "paste 1 of 11"}));
}

TEST_F(QuickPasteTest, ModeZeroAndBareDigitsPasteNothing) {
  port_.Hold(0, {'4'});
  Tick();
  SetMode(0);
  port_.Hold(kKeyCtrl, {'5'});
  Tick();
  EXPECT_TRUE(port_.log.empty());
}

TEST_F(QuickPasteTest, ZeroHeldAtStartUpWaitsForAFreshPress) {
  port_.Hold(kKeyCtrl, {'0'});
  Tick();
  EXPECT_TRUE(port_.log.empty());
  port_.Hold(kKeyCtrl, {'0', '7'});  // the lower digit still wins
  Tick();
  EXPECT_TRUE(port_.log.empty());
}

TEST_F(QuickPasteTest, ATickInsideAPasteDoesNothing) {
  port_.duringPaste = [this] { Tick(); };
  port_.Hold(kKeyCtrl | kKeyAlt, {'1'});
  Tick();
  EXPECT_EQ(port_.log.size(), 2u);  // history and notes, each once
  EXPECT_EQ(port_.keyReads, 1);
}

TEST_F(PopupHotKeyTest, SecondaryHotKeyOpensThePopupAtTheCursorOnce) {
  port_.cursor = {400, 300};
  port_.keys = kKeyCtrl | kKeyAlt;
  Tick();
  port_.keys = kCtrlAltV;
  Tick();
  EXPECT_EQ(port_.actions,
            (std::vector<std::string>{"hot key " + std::to_string(kKeyCtrl | kKeyAlt),
                                      "hot key " + std::to_string(kCtrlAltV), "target"}));
  EXPECT_TRUE(state_.PopupMode());
  EXPECT_EQ(state_.Layout().bounds.left, 401);
  EXPECT_EQ(state_.Layout().alpha, 180);  // the cursor was away when the tick began
  // While a popup, neither hot keys nor the popup key act; the popup stays under the cursor.
  port_.keys = 0;
  Tick();
  port_.keys = kCtrlAltV;
  Tick();
  EXPECT_EQ(port_.actions.size(), 3u);
}

TEST_F(PopupHotKeyTest, PrimaryHotKeyIsAModifierWithALeftClick) {
  port_.cursor = {1200, 900};
  port_.keys = kCtrlClick;
  Tick();
  EXPECT_TRUE(state_.PopupMode());
  EXPECT_EQ(state_.Layout().bounds.left, 1200 - 200 - 1);
  EXPECT_EQ(state_.Layout().bounds.top, 900 - 388 - 1);
}

TEST_F(PopupHotKeyTest, CursorLeavingThePopupDocksAndFoldsInOneTick) {
  port_.cursor = {400, 300};
  port_.keys = kCtrlAltV;
  Tick();
  port_.cursor = {50, 900};
  Tick();
  EXPECT_FALSE(state_.PopupMode());
  EXPECT_FALSE(state_.Expanded());
  EXPECT_EQ(state_.Layout().bounds, (ScreenRect{900, 10, 1100, 39}));
}

// A mouse that does not move keeps the folded header of a popup at the cursor after a
// paste: the hot keys work there again.
TEST_F(PopupHotKeyTest, TheHotKeysWorkAgainOnThePopupFoldedAfterAPaste) {
  port_.cursor = {400, 300};
  port_.keys = kCtrlAltV;
  Tick();
  ASSERT_TRUE(state_.PopupMode() && state_.Expanded());
  port_.keys = 0;
  Tick();
  state_.PopupPasted(false);
  port_.actions.clear();
  for (int round = 0; round < 3; ++round) {
    port_.keys = kCtrlAltV;
    Tick();
    EXPECT_TRUE(state_.PopupMode() && state_.Expanded()) << round;
    port_.keys = 0;
    Tick();
    state_.PopupPasted(false);
  }
  const std::string hotKey = "hot key " + std::to_string(kCtrlAltV);
  EXPECT_EQ(port_.actions,
            (std::vector<std::string>{hotKey, "target", hotKey, "target", hotKey, "target"}));
}

using AltGrTest = TickTest;

// On a German keyboard AltGr+7 types "{": the key state says Ctrl+Alt+7.
TEST_F(AltGrTest, AltGrWithADigitIsNeitherQuickPasteNorAHotKey) {
  port_.altGr = true;
  port_.Hold(kKeyCtrl | kKeyAlt, {'7'});
  Tick();
  EXPECT_TRUE(port_.log.empty());
  EXPECT_EQ(port_.actions, std::vector<std::string>{});
  port_.Hold(0, {});
  Tick();
  // A real Ctrl+Alt with a digit pastes from both categories.
  port_.altGr = false;
  port_.Hold(kKeyCtrl | kKeyAlt, {'8'});
  Tick();
  EXPECT_EQ(port_.log, (std::vector<std::string>{"paste 7 of 10", "paste 7 of 11"}));
}

TEST_F(AltGrTest, AltGrVIsNotThePopupHotKeyButCtrlAltVIs) {
  port_.altGr = true;
  port_.keys = kCtrlAltV;
  Tick();
  EXPECT_FALSE(state_.PopupMode());
  port_.keys = 0;
  Tick();
  port_.altGr = false;
  port_.keys = kCtrlAltV;
  Tick();
  EXPECT_TRUE(state_.PopupMode());
}

TEST_F(TickTest, CursorNearMakesTheWindowOpaque) {
  Tick();
  EXPECT_EQ(state_.Layout().alpha, 255);
  port_.cursor = {869, 20};  // 31 pixels left of the window
  Tick();
  EXPECT_EQ(state_.Layout().alpha, 180);
}

using IdleTickTest = TickTest;

TEST_F(IdleTickTest, WithoutInputTheCursorAndKeysAreReadOnlyOnceASecond) {
  port_.lastInput = 5;
  port_.cursor = {400, 300};  // away from the window
  for (int i = 0; i < 200; ++i) {
    port_.now += 10;
    Tick();
  }
  // The first tick, the ones within the settling time, then one a second.
  EXPECT_LE(port_.cursorReads, 10);
  EXPECT_GE(port_.cursorReads, 2);
  EXPECT_EQ(port_.keyReads, port_.cursorReads);
  // The user moves the mouse onto the window: the next tick sees it.
  port_.cursor = {1000, 20};
  port_.lastInput = port_.now + 1;
  port_.now += 10;
  Tick();
  EXPECT_EQ(state_.Layout().alpha, 255);
}

TEST_F(IdleTickTest, NearTheWindowTheCursorIsFollowedAtEveryTick) {
  port_.lastInput = 5;
  for (int i = 0; i < 100; ++i) {
    port_.now += 10;
    Tick();
  }
  EXPECT_EQ(port_.cursorReads, 100);
  // Leaving is seen at once, though no input says so.
  port_.cursor = {400, 300};
  port_.now += 10;
  Tick();
  EXPECT_EQ(state_.Layout().alpha, 180);
}

TEST_F(IdleTickTest, HeldKeysAreReadAtEveryTickAndTheirReleaseIsSeen) {
  port_.lastInput = 5;
  port_.keys = kKeyCtrl;
  for (int i = 0; i < 100; ++i) {
    port_.now += 10;
    Tick();
  }
  EXPECT_EQ(port_.keyReads, 100);
  port_.keys = kCtrlClick;  // the click's input stamp may equal the one already seen
  port_.now += 10;
  Tick();
  EXPECT_TRUE(state_.PopupMode());
}

// The mouse hook swallowed Ctrl's click: the key state shows Ctrl alone.
using MouseHotKeyTickTest = TickTest;

TEST_F(MouseHotKeyTickTest, AHookedClickOpensThePopupAtTheCursorOnce) {
  SetMode(1);
  port_.cursor = {1200, 900};
  port_.keys = kKeyCtrl;
  Tick();
  tick_.FireMouseHotKey(kCtrlClick, state_, port_);
  EXPECT_TRUE(state_.PopupMode());
  EXPECT_TRUE(state_.Expanded());
  EXPECT_EQ(state_.Layout().bounds.left, 1200 - 200 - 1);
  // Should the key state show the button after all, the poll does not fire it again.
  state_.HidePopup();
  port_.keys = kCtrlClick;
  Tick();
  EXPECT_EQ(port_.actions,
            (std::vector<std::string>{"hot key " + std::to_string(kKeyCtrl),
                                      "hot key " + std::to_string(kCtrlClick), "target"}));
}

TEST_F(MouseHotKeyTickTest, AHookedClipHotKeyPastesWithoutThePopup) {
  tick_.FireMouseHotKey(0x2004, state_, port_);
  EXPECT_FALSE(state_.PopupMode());
  EXPECT_EQ(port_.actions, std::vector<std::string>{"hot key 8196"});
}

TEST_F(MouseHotKeyTickTest, NothingFiresWhileAPopupOrInsideAPaste) {
  port_.keys = kCtrlAltV;
  Tick();
  ASSERT_TRUE(state_.PopupMode());
  tick_.FireMouseHotKey(kCtrlClick, state_, port_);
  EXPECT_EQ(port_.actions.size(), 2u);  // the popup key's own
  state_.HidePopup();
  port_.keys = 0;
  Tick();
  // A paste pumps messages: a hook's message arriving inside it is not acted on.
  SetMode(1);
  port_.Hold(kKeyCtrl, {'1'});
  port_.duringPaste = [&] { tick_.FireMouseHotKey(kCtrlClick, state_, port_); };
  Tick();
  EXPECT_EQ(port_.log.size(), 1u);
  EXPECT_FALSE(state_.PopupMode());
}

using PauseHotKeyTest = TickTest;

constexpr KeyCombination kCtrlShiftP = kKeyCtrl | kKeyShift | 'P';

TEST_F(PauseHotKeyTest, ThePauseHotKeyTogglesOncePerPressAndPastesNothing) {
  tick_.ApplySettings({1, kCtrlClick, kCtrlAltV, kCtrlShiftP});
  for (int press = 0; press < 2; ++press) {
    port_.keys = kCtrlShiftP;
    Tick();
    Tick();
    port_.keys = 0;
    Tick();
  }
  EXPECT_EQ(port_.actions, (std::vector<std::string>{"pause", "pause"}));
  EXPECT_FALSE(state_.PopupMode());
}

TEST_F(PauseHotKeyTest, WithoutAPauseHotKeyNoCombinationPauses) {
  tick_.ApplySettings({1, kCtrlClick, kCtrlAltV, 0});
  port_.keys = kCtrlShiftP;
  Tick();
  EXPECT_EQ(port_.actions, std::vector<std::string>{"hot key " + std::to_string(kCtrlShiftP)});
}

TEST_F(PauseHotKeyTest, NotWhileThePopupsListIsOpenButAsAHookedMouseCombination) {
  constexpr KeyCombination kShiftClick = kKeyShift | 0x01;
  tick_.ApplySettings({1, kCtrlClick, kCtrlAltV, kShiftClick});
  port_.keys = kCtrlAltV;
  Tick();
  ASSERT_TRUE(state_.PopupListOpen());
  port_.keys = kShiftClick;
  Tick();
  tick_.FireMouseHotKey(kShiftClick, state_, port_);
  EXPECT_EQ(port_.actions.size(), 2u);  // the popup key's own
  state_.HidePopup();
  port_.keys = 0;
  Tick();
  tick_.FireMouseHotKey(kShiftClick, state_, port_);
  EXPECT_EQ(port_.actions.back(), "pause");
  EXPECT_EQ(port_.actions.size(), 3u);
}

using ListHotKeyTest = TickTest;

constexpr KeyCombination kCtrlShiftL = kKeyCtrl | kKeyShift | 'L';

TEST_F(ListHotKeyTest, OpensTheDockedListForTheKeyboardAndPastesNothing) {
  tick_.ApplySettings({1, kCtrlClick, kCtrlAltV, 0, kCtrlShiftL});
  port_.cursor = {10, 500};  // far from the window
  port_.keys = kCtrlShiftL;
  Tick();
  EXPECT_EQ(port_.actions, std::vector<std::string>{"list keyboard"});
  EXPECT_TRUE(state_.Expanded());
  EXPECT_FALSE(state_.PopupMode());
  // The cursor stays away: the list stays unfolded and opaque while it has the keyboard.
  port_.keys = 0;
  Tick();
  EXPECT_TRUE(state_.Expanded());
  EXPECT_EQ(state_.Layout().alpha, 255);
  state_.KeyboardLeft();
  Tick();
  EXPECT_FALSE(state_.Expanded());
}

TEST_F(ListHotKeyTest, ShowsADockedWindowThatTheSettingsHideUntilTheKeyboardLeaves) {
  state_.ApplySettings(CDisplayState::Settings{200, 388, 180, false});
  tick_.ApplySettings({1, kCtrlClick, kCtrlAltV, 0, kCtrlShiftL});
  Tick();
  ASSERT_FALSE(state_.Layout().windowVisible);
  port_.keys = kCtrlShiftL;
  Tick();
  EXPECT_TRUE(state_.Layout().windowVisible);
  state_.KeyboardLeft();
  Tick();
  EXPECT_FALSE(state_.Layout().windowVisible);
}

TEST_F(ListHotKeyTest, APopupOpenedAfterwardsFollowsTheCursorAgain) {
  tick_.ApplySettings({1, kCtrlClick, kCtrlAltV, 0, kCtrlShiftL});
  port_.keys = kCtrlShiftL;
  Tick();
  port_.keys = kCtrlAltV;
  Tick();
  ASSERT_TRUE(state_.PopupMode());
  EXPECT_FALSE(state_.KeyboardHeld());
}

}  // namespace
