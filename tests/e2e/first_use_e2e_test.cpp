// What a first-time user meets: the tray icon of a window the settings hide, the header of
// a program without clips, and the selection after a clip is taken with a double click.

#include <chrono>

#include "app/window/win32/main_window_ids.h"
#include "app/window/win32/main_window_messages.h"
#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/window_shot.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

using namespace std::chrono_literals;

POINT ControlCentre(HWND window) {
  const RECT rect = WindowRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HTREEITEM TreeItem(HWND tree, UINT relation, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

class FirstUseTest : public ProgramTest {
 protected:
  void SetUp() override { installation.SetSetting(Settings::kWindowTransparency, 255); }

  void HideTheWindow() {
    installation.SetSetting(Settings::kClipboardMonitorVisible, Settings::kClipboardMonitorHidden);
  }

  // Unfolds the list with its button and pins it, as a user who wants it to stay would.
  static bool OpenAndPinList(const CRunningProgram& program) {
    ClickAt(ControlCentre(program.Control(kIdOpenClipboard)));
    if (!PumpUntil([&] { return IsWindowVisible(program.Control(kIdItemsTree)) != FALSE; })) {
      return false;
    }
    ClickAt(ControlCentre(program.Control(kIdPin)));
    return true;
  }

  // Whether the window shows with its list unfolded.
  static bool ListShown(const CRunningProgram& program) {
    return IsWindowVisible(program.MainWindow()) && IsWindowVisible(program.Control(kIdItemsTree));
  }
};

TEST_F(FirstUseTest, AClickOnTheTrayIconShowsTheListOfAWindowTheSettingsHide) {
  HideTheWindow();
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(CopyAndWait(*program, u"shown from the tray"));
  EXPECT_FALSE(IsWindowVisible(program->MainWindow()));
  // As the shell tells a click on the icon: the button's release.
  PostMessageW(program->MainWindow(), kTrayMessage, kTrayIconId, WM_LBUTTONUP);
  EXPECT_TRUE(PumpUntil([&] { return ListShown(*program); }));
  PumpFor(300ms);
  KeepWindowShot(program->MainWindow(), "tray-click");
  // The double click that a click may be the start of leaves it shown.
  PostMessageW(program->MainWindow(), kTrayMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  PumpFor(300ms);
  EXPECT_TRUE(ListShown(*program));
  EXPECT_TRUE(program->Close());
}

TEST_F(FirstUseTest, TheTrayMenuShowsTheListOfAWindowTheSettingsHide) {
  HideTheWindow();
  auto program = Start();
  ASSERT_NE(program, nullptr);
  PostMessageW(program->MainWindow(), kTrayMessage, kTrayIconId, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    menu = FindProcessWindow(program->ProcessId(), L"#32768");
    return menu != nullptr && IsWindowVisible(menu);
  }));
  PumpFor(300ms);
  KeepWindowShot(menu, "tray-menu");
  // "Pause capture", "Clear history", then past the line "Show list".
  for (int i = 0; i < 3; ++i) TypeChord({VK_DOWN});
  TypeChord({VK_RETURN});
  EXPECT_TRUE(PumpUntil([&] { return ListShown(*program); }));
  EXPECT_TRUE(program->Close());
}

TEST_F(FirstUseTest, TheHeaderOfAProgramWithoutClipsSaysSo) {
  auto program = Start();
  ASSERT_NE(program, nullptr);
  EXPECT_TRUE(program->WaitForHeader(u"No clips yet"))
      << ::testing::PrintToString(program->HeaderText());
  PumpFor(300ms);
  KeepWindowShot(program->MainWindow(), "no-clips");
  ASSERT_TRUE(CopyAndWait(*program, u"the first clip"));
  EXPECT_TRUE(program->Close());
}

TEST_F(FirstUseTest, ANoteWrittenIntoAnEmptyStoreEndsNoClipsYet) {
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(program->WaitForHeader(u"No clips yet"));
  HWND tree = program->Control(kIdItemsTree);
  ASSERT_TRUE(OpenAndPinList(*program));
  const RECT rows = WindowRect(tree);
  ClickAt({rows.left + 60, rows.top + 8});
  TypeChord({VK_CONTROL, 'N'});
  HWND editor = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    editor = GetForegroundWindow();
    return editor != nullptr && editor != program->MainWindow() &&
           WindowText(editor).starts_with(u"New note");
  }));
  for (WORD key : {'C', 'A', 'L', 'L'}) TypeChord({key});
  TypeChord({VK_CONTROL, VK_RETURN});
  ASSERT_TRUE(PumpUntil([&] { return IsWindow(editor) == FALSE; }));
  EXPECT_TRUE(PumpUntil([&] { return program->HeaderText() != u"No clips yet"; }))
      << "the header still says there is no clip";
  EXPECT_TRUE(program->Close());
}

// The menu opens where the click was: the row it is for must stay there.
TEST_F(FirstUseTest, ARightClickOnACategoryBelowLeavesTheOneAboveUnfolded) {
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(CopyAndWait(*program, u"older clip"));
  ASSERT_TRUE(CopyAndWait(*program, u"newer clip"));
  HWND tree = program->Control(kIdItemsTree);
  ASSERT_TRUE(OpenAndPinList(*program));
  const HTREEITEM history = TreeItem(tree, TVGN_ROOT, nullptr);
  const HTREEITEM notes = TreeItem(tree, TVGN_NEXT, history);
  auto unfolded = [&](HTREEITEM row) {
    return (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(row), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
  };
  ASSERT_TRUE(unfolded(history));
  // The history's row, its two clips, then "Quick notes".
  const RECT rows = WindowRect(tree);
  const int rowHeight = static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(rowHeight, 0);
  RightClickAt({rows.left + 60, rows.top + 3 * rowHeight + rowHeight / 2});
  ASSERT_TRUE(PumpUntil([&] { return TreeItem(tree, TVGN_CARET, nullptr) == notes; }))
      << "the right click did not select the category";
  PumpFor(300ms);
  EXPECT_TRUE(unfolded(history)) << "the history folded away from under the menu";
  TypeChord({VK_ESCAPE});
  EXPECT_TRUE(program->Close());
}

TEST_F(FirstUseTest, AClipTakenWithADoubleClickKeepsTheSelectionAtItsNewPlace) {
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(CopyAndWait(*program, u"older clip"));
  ASSERT_TRUE(CopyAndWait(*program, u"newer clip"));
  HWND tree = program->Control(kIdItemsTree);
  ASSERT_TRUE(OpenAndPinList(*program));
  // The history's row, the newer clip, the older clip: the older one is taken.
  const RECT rows = WindowRect(tree);
  const int rowHeight = static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(rowHeight, 0);
  DoubleClickAt({rows.left + 60, rows.top + 2 * rowHeight + rowHeight / 2});
  ASSERT_TRUE(PumpUntil([&] { return program->HeaderText() == u"older clip"; }))
      << ::testing::PrintToString(program->HeaderText());
  PumpFor(500ms);
  KeepWindowShot(program->MainWindow(), "double-click");
  // The older clip is the newest now, at the top of the history, and selected there.
  const HTREEITEM top = TreeItem(tree, TVGN_CHILD, TreeItem(tree, TVGN_ROOT, nullptr));
  EXPECT_EQ(TreeItem(tree, TVGN_CARET, nullptr), top);
  EXPECT_TRUE(program->Close());
}

}  // namespace
