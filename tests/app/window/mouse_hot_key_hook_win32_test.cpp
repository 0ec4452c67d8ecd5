// The mouse hook against the real system: clicks sent with SendInput onto a window of this
// thread, which counts the presses and releases it gets and the hot keys the hook posts.

#include <gtest/gtest.h>

#include <vector>

#include "app/window/win32/mouse_hot_key_hook.h"
#include "platform/win32/gdi.h"
#include "tests/app/window/win32_test_helpers.h"

namespace {

constexpr UINT kHookedHotKeyMessage = WM_APP + 40;
constexpr KeyCombination kHookedCtrlClick = 0x4001;
constexpr KeyCombination kHookedCtrlAltV = 0xC056;

void SendHookedInput(INPUT input) {
  SendInput(1, &input, sizeof input);
  PumpFor(40);
}

void SendHookedCtrl(bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = VK_CONTROL;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_CONTROL, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendHookedInput(input);
}

void SendHookedClick(DWORD downFlag, DWORD upFlag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = downFlag;
  SendHookedInput(input);
  input.mi.dwFlags = upFlag;
  SendHookedInput(input);
}

// A window of this thread under the cursor: the "program below" and the main window both.
class CHookedClickWindow {
 public:
  CHookedClickWindow() {
    static const ATOM registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &CHookedClickWindow::Proc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"QuilleryHookedClicks";
      return RegisterClassW(&windowClass);
    }();
    (void)registered;
    window_.reset(CreateWindowExW(WS_EX_TOPMOST, L"QuilleryHookedClicks", L"",
                                  WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), this));
    // Wine takes the X keyboard's state again when the pointer enters a window or the focus
    // moves, letting go of the keys SendInput holds: both settle before Ctrl is pressed.
    SetForegroundWindow(window_.get());
    SetCursorPos(200, 200);
    PumpFor(300);
  }

  HWND Handle() const { return window_.get(); }

  int presses = 0;
  int releases = 0;
  std::vector<KeyCombination> fired;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CHookedClickWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
      if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) ++self->presses;
      if (message == WM_LBUTTONUP || message == WM_RBUTTONUP) ++self->releases;
      if (message == kHookedHotKeyMessage)
        self->fired.push_back(static_cast<KeyCombination>(wParam));
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  UniqueWindow window_;
};

class MouseHotKeyHookTest : public ::testing::Test {
 protected:
  void CtrlClick(DWORD downFlag = MOUSEEVENTF_LEFTDOWN, DWORD upFlag = MOUSEEVENTF_LEFTUP) {
    SendHookedCtrl(true);
    SendHookedClick(downFlag, upFlag);
    SendHookedCtrl(false);
  }

  CHookedClickWindow window_;
  CMouseHotKeyHook hook_{window_.Handle(), kHookedHotKeyMessage};
};

TEST_F(MouseHotKeyHookTest, CtrlClickIsKeptFromTheWindowAndPostedOnce) {
  ASSERT_TRUE(hook_.Watch({kHookedCtrlClick, kHookedCtrlAltV}));
  ASSERT_TRUE(hook_.Installed());
  CtrlClick();
  EXPECT_EQ(window_.presses, 0);
  EXPECT_EQ(window_.releases, 0);
  EXPECT_EQ(window_.fired, std::vector<KeyCombination>{kHookedCtrlClick});
  // A plain click and Ctrl with the right button are the window's.
  SendHookedClick(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  CtrlClick(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_EQ(window_.presses, 2);
  EXPECT_EQ(window_.releases, 2);
  EXPECT_EQ(window_.fired.size(), 1u);
}

TEST_F(MouseHotKeyHookTest, PausedTheHookLetsTheHotKeysClickThrough) {
  ASSERT_TRUE(hook_.Watch({kHookedCtrlClick}));
  hook_.SetPaused(true);
  CtrlClick();
  EXPECT_EQ(window_.presses, 1);
  EXPECT_EQ(window_.releases, 1);
  EXPECT_TRUE(window_.fired.empty());
}

TEST_F(MouseHotKeyHookTest, WithoutAMouseHotKeyThereIsNoHook) {
  EXPECT_TRUE(hook_.Watch({kHookedCtrlAltV}));
  EXPECT_FALSE(hook_.Installed());
  ASSERT_TRUE(hook_.Watch({kHookedCtrlClick}));
  ASSERT_TRUE(hook_.Installed());
  EXPECT_TRUE(hook_.Watch({kHookedCtrlAltV}));
  EXPECT_FALSE(hook_.Installed());
  CtrlClick();
  EXPECT_EQ(window_.presses, 1);
  EXPECT_TRUE(window_.fired.empty());
}

}  // namespace
