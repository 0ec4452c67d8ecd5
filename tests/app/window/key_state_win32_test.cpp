// The tick over the real key state and cursor: keys typed with SendInput, as on another
// program's window, open the popup beside the cursor.

#include <gtest/gtest.h>

#include <vector>

#include "app/paste/held_keys.h"
#include "app/window/main_window_tick.h"
#include "app/window/win32/system_input.h"
#include "platform/windows_api.h"

namespace {

void SendKey(int key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(key);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

class CSystemPort : public CTickPort {
 public:
  std::optional<std::uint32_t> LastInputTime() override { return ::LastInputTime(); }
  std::uint32_t Now() override { return GetTickCount(); }
  ScreenPoint CursorPos() override { return CursorPosition(); }
  ScreenRect WorkAreaAt(ScreenPoint point) override { return ::WorkAreaAt(point); }
  HeldKeys ReadKeys() override { return ReadHeldKeys(); }
  bool IsKeyDown(int key) override { return IsKeyHeld(key); }
  void QuickPaste(int, int) override {}
  void PasteByHotKey(KeyCombination) override {}
  void RememberTarget() override {}
  void TogglePause() override {}
  void GiveListTheKeyboard() override {}
};

class RealKeysTickTest : public ::testing::Test {
 protected:
  ~RealKeysTickTest() override {
    for (auto key = held_.rbegin(); key != held_.rend(); ++key) SendKey(*key, false);
  }
  void Press(int key) {
    SendKey(key, true);
    held_.push_back(key);
  }
  // A few ticks, as the timer would give while the keys stay as they are.
  void Ticks() {
    for (int i = 0; i < 3; ++i) {
      tick_.Tick(state_, port_);
      Sleep(10);
    }
  }

  std::vector<int> held_;
  CDisplayState state_{{900, 10}, 29, CDisplayState::Settings{}};
  CMainWindowTick tick_;
  CSystemPort port_;
};

TEST_F(RealKeysTickTest, CtrlAltVOpensThePopupBesideTheCursor) {
  ASSERT_TRUE(SetCursorPos(400, 300));
  Ticks();
  Press(VK_CONTROL);
  Press(VK_MENU);
  Press('V');
  Ticks();
  ASSERT_TRUE(state_.PopupMode());
  EXPECT_EQ(state_.Layout().bounds.left, 401);
  EXPECT_EQ(state_.Layout().bounds.top, 301);
  EXPECT_EQ(state_.Layout().alpha, 255);  // the cursor is over it
}

}  // namespace
