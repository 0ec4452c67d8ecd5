// The window in the system's high contrast, as the screen shows it: its rows, its selection
// and its header's buttons in the colours the user chose, nothing of the skin.

#include <chrono>

#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "platform/win32/gdi.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/high_contrast_scheme.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/window_shot.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

using namespace std::chrono_literals;

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
