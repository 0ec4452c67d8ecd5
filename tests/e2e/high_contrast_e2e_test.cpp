// The window in the system's high contrast, as the screen shows it: its rows, its selection
// and its header's buttons in the colours the user chose, nothing of the skin.

#include <array>
#include <chrono>

#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "platform/win32/gdi.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/window_shot.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kHighContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";

// Windows' "High Contrast Black" for the colours the window takes.
constexpr std::array<int, 6> kSchemeIndices = {COLOR_WINDOW,    COLOR_WINDOWTEXT,
                                               COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                               COLOR_GRAYTEXT,  COLOR_BTNFACE};
constexpr std::array<COLORREF, 6> kSchemeColours = {RGB(0, 0, 0),      RGB(255, 255, 255),
                                                    RGB(26, 235, 255), RGB(0, 0, 0),
                                                    RGB(63, 242, 63),  RGB(0, 0, 0)};

// High contrast on for the life of the object, as the system keeps it for the user: the
// "High Contrast Black" colours (SetSysColors, which reach every process of this Wine
// session) and the Accessibility Flags with HCF_HIGHCONTRASTON, since Wine's
// SystemParametersInfo neither takes nor tells the setting. Puts back what was there.
class HighContrastScheme {
 public:
  HighContrastScheme() {
    for (size_t i = 0; i < kSchemeIndices.size(); ++i)
      previous_[i] = GetSysColor(kSchemeIndices[i]);
    DWORD size = sizeof(previousFlags_);
    hadFlags_ = RegGetValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags", RRF_RT_REG_SZ, nullptr,
                             previousFlags_, &size) == ERROR_SUCCESS;
    const wchar_t on[] = L"127";
    set_ = SetSysColors(static_cast<int>(kSchemeIndices.size()), kSchemeIndices.data(),
                        kSchemeColours.data()) != FALSE &&
           RegSetKeyValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags", REG_SZ, on, sizeof(on)) ==
               ERROR_SUCCESS;
  }
  ~HighContrastScheme() {
    SetSysColors(static_cast<int>(kSchemeIndices.size()), kSchemeIndices.data(), previous_.data());
    if (hadFlags_) {
      RegSetKeyValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags", REG_SZ, previousFlags_,
                      static_cast<DWORD>((wcslen(previousFlags_) + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags");
    }
  }
  HighContrastScheme(const HighContrastScheme&) = delete;
  HighContrastScheme& operator=(const HighContrastScheme&) = delete;
  bool Set() const { return set_; }

 private:
  std::array<COLORREF, 6> previous_{};
  wchar_t previousFlags_[16] = {};
  bool hadFlags_ = false;
  bool set_ = false;
};

COLORREF ScreenPixel(POINT point) {
  const WindowDc screen(nullptr);
  return GetPixel(screen.get(), point.x, point.y);
}

// How many pixels of the band [top, bottom) across `rect` are exactly `colour`.
int PixelsOf(COLORREF colour, const RECT& rect, int top, int bottom) {
  const WindowDc screen(nullptr);
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) count += GetPixel(screen.get(), x, y) == colour;
  }
  return count;
}

POINT CentreOfControl(HWND window) {
  const RECT rect = WindowRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class HighContrastTest : public ProgramTest {
 protected:
  void SetUp() override {
    // Opaque, so the screen shows the window's own colours.
    installation.SetSetting(Settings::kWindowTransparency, 255);
    // The dark setting too: high contrast goes before it.
    installation.SetSetting(Settings::kTheme, Settings::kThemeDark);
  }
};

TEST_F(HighContrastTest, RowsSelectionAndHeaderButtonsTakeTheSystemsColours) {
  const HighContrastScheme scheme;
  ASSERT_TRUE(scheme.Set());
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(CopyAndWait(*program, u"older clip"));
  ASSERT_TRUE(CopyAndWait(*program, u"newer clip"));
  ClickAt(CentreOfControl(program->Control(kIdOpenClipboard)));
  HWND tree = program->Control(kIdItemsTree);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tree) != FALSE; }));
  ClickAt(CentreOfControl(program->Control(kIdPin)));
  // The history's row, then the newer and the older clip; the older one selected.
  const RECT rows = WindowRect(tree);
  const int rowHeight = static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(rowHeight, 0);
  ClickAt({rows.left + 60, rows.top + 2 * rowHeight + rowHeight / 2});
  const RECT window = WindowRect(program->MainWindow());
  SetCursorPos(window.left + 30, window.top + 8);
  PumpFor(500ms);
  KeepWindowShot(program->MainWindow(), "high-contrast");

  const int right = rows.right - 8;
  EXPECT_EQ(ScreenPixel({right, rows.top + rowHeight + rowHeight / 2}), GetSysColor(COLOR_WINDOW))
      << "an unselected clip's row";
  EXPECT_EQ(ScreenPixel({right, rows.top + 2 * rowHeight + rowHeight / 2}),
            GetSysColor(COLOR_HIGHLIGHT))
      << "the selected clip's row";
  const RECT rowBand{rows.left, 0, rows.right, 0};
  EXPECT_GT(PixelsOf(GetSysColor(COLOR_WINDOWTEXT), rowBand, rows.top + rowHeight,
                     rows.top + 2 * rowHeight),
            10)
      << "the clip's text";
  EXPECT_GT(PixelsOf(GetSysColor(COLOR_HIGHLIGHTTEXT), rowBand, rows.top + 2 * rowHeight + 2,
                     rows.top + 3 * rowHeight - 2),
            10)
      << "the selected clip's text";
  // The open button and the pin are down, on the selection's colour; the header around them
  // is the window's.
  const RECT open = WindowRect(program->Control(kIdOpenClipboard));
  EXPECT_EQ(ScreenPixel({open.left + 3, open.top + 3}), GetSysColor(COLOR_HIGHLIGHT));
  const RECT pin = WindowRect(program->Control(kIdPin));
  EXPECT_EQ(ScreenPixel({pin.left + 3, pin.top + 3}), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ScreenPixel({pin.left - 2, pin.top + 3}), GetSysColor(COLOR_WINDOW));
  EXPECT_TRUE(program->Close());
}

}  // namespace
