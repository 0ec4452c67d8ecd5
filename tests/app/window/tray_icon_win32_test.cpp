// CTrayIcon against the real notification area (Wine's stand-alone tray window on Xvfb).

#include <gtest/gtest.h>

#include "app/window/win32/tray_icon.h"

namespace {

constexpr UINT kIconId = 7;
constexpr UINT kCallback = WM_APP + 70;

class TrayIconTest : public ::testing::Test {
 protected:
  TrayIconTest()
      : window_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)),
        icon_(window_, kIconId, kCallback, LoadIconW(nullptr, IDI_APPLICATION), L"tray test") {}
  ~TrayIconTest() override { DestroyWindow(window_); }

  HWND window_;
  CTrayIcon icon_;
};

TEST_F(TrayIconTest, AnIconWhoseRemovalHasBegunIsNotAddedAgain) {
  ASSERT_TRUE(icon_.Add());
  icon_.BeginRemoval();
  // As when Explorer restarts in the middle of a close: no icon of a window about to go.
  EXPECT_FALSE(icon_.Add());
}

TEST_F(TrayIconTest, RemoveWaitsForTheRequestThatBeginRemovalSent) {
  ASSERT_TRUE(icon_.Add());
  icon_.BeginRemoval();
  icon_.Remove(std::chrono::seconds(10));
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = kIconId;
  data.uFlags = NIF_TIP;
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &data));  // no such icon any more
}

TEST_F(TrayIconTest, ABalloonIsToldOnlyBesideAnIconThatIsShown) {
  EXPECT_FALSE(icon_.ShowBalloon(u"not shown"));
  ASSERT_TRUE(icon_.Add());
  EXPECT_TRUE(icon_.ShowBalloon(u"Not pasted: the program had closed."));
  icon_.BeginRemoval();
  EXPECT_FALSE(icon_.ShowBalloon(u"removed"));
}

}  // namespace
