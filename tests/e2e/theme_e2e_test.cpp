// The window's look as the screen shows it: dark when the settings or the system's app theme
// ask for it, light otherwise.

#include <chrono>
#include <string>

#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "platform/win32/gdi.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The mean relative brightness (0 black to 1 white, by the usual channel weights, without
// linearising) of the window's client area as the screen shows it.
double MeanBrightness(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const WindowDc screen(nullptr);
  double sum = 0;
  int count = 0;
  for (int y = 0; y < client.bottom; y += 2) {
    for (int x = 0; x < client.right; x += 2) {
      const COLORREF pixel = GetPixel(screen.get(), origin.x + x, origin.y + y);
      if (pixel == CLR_INVALID) continue;
      sum += (0.2126 * GetRValue(pixel) + 0.7152 * GetGValue(pixel) + 0.0722 * GetBValue(pixel)) /
             255.0;
      ++count;
    }
  }
  return count == 0 ? -1 : sum / count;
}

// Sets the user's app theme in this prefix's registry for the life of the object, and puts
// back what was there.
class AppThemeOverride {
 public:
  explicit AppThemeOverride(DWORD appsUseLightTheme) {
    DWORD size = sizeof(previous_);
    had_ = RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                        nullptr, &previous_, &size) == ERROR_SUCCESS;
    set_ = RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", REG_DWORD,
                           &appsUseLightTheme, sizeof(appsUseLightTheme)) == ERROR_SUCCESS;
  }
  ~AppThemeOverride() {
    if (had_) {
      RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", REG_DWORD,
                      &previous_, sizeof(previous_));
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme");
    }
  }
  AppThemeOverride(const AppThemeOverride&) = delete;
  AppThemeOverride& operator=(const AppThemeOverride&) = delete;
  bool Set() const { return set_; }

 private:
  DWORD previous_ = 1;
  bool had_ = false;
  bool set_ = false;
};

class ThemeTest : public ProgramTest {
 protected:
  void SetUp() override {
    // Opaque, so the screen shows the window's own colours.
    installation.SetSetting(Settings::kWindowTransparency, 255);
  }

  // Starts the program, opens its list and gives it time to paint.
  double BrightnessOfOpenWindow() {
    auto program = Start();
    if (!program) return -1;
    const RECT open = WindowRect(program->Control(kIdOpenClipboard));
    ClickAt({(open.left + open.right) / 2, (open.top + open.bottom) / 2});
    HWND tree = program->Control(kIdItemsTree);
    PumpUntil([&] { return IsWindowVisible(tree) != FALSE; });
    PumpFor(500ms);
    const double brightness = MeanBrightness(program->MainWindow());
    program->Close();
    return brightness;
  }
};

TEST_F(ThemeTest, TheLightLookIsBright) {
  installation.SetSetting(Settings::kTheme, Settings::kThemeLight);
  EXPECT_GT(BrightnessOfOpenWindow(), 0.6);
}

TEST_F(ThemeTest, TheDarkSettingDrawsTheWindowDark) {
  installation.SetSetting(Settings::kTheme, Settings::kThemeDark);
  const double brightness = BrightnessOfOpenWindow();
  EXPECT_GE(brightness, 0);
  EXPECT_LT(brightness, 0.3);
}

TEST_F(ThemeTest, FollowingWindowsTakesTheUsersDarkAppTheme) {
  const AppThemeOverride dark(0);
  ASSERT_TRUE(dark.Set());
  const double brightness = BrightnessOfOpenWindow();
  EXPECT_GE(brightness, 0);
  EXPECT_LT(brightness, 0.3);
}

TEST_F(ThemeTest, FollowingWindowsStaysLightWithTheLightAppTheme) {
  const AppThemeOverride light(1);
  ASSERT_TRUE(light.Set());
  EXPECT_GT(BrightnessOfOpenWindow(), 0.6);
}

}  // namespace
