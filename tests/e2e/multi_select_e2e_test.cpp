// Several clips selected in the popup, from the keyboard or with Ctrl and the mouse, and
// pasted together into another program: both texts, a line each, in list order, one paste.

#include <chrono>
#include <string>

#include "app/window/win32/main_window_ids.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/paste_target.h"

namespace {

// The program with its clips, and in front a program that pastes on Ctrl+V and counts its
// pastes (a single-line edit would keep only the first line of the joined text).
class MultiSelectTest : public PasteProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartWithClips());
    ASSERT_TRUE(target.TakeFocus());
    PlaceCursorForThePopup();
  }

  // Ctrl+Alt+V, until the popup's list has the keyboard, the newest clip ("gamma") selected.
  ::testing::AssertionResult OpenPopup() {
    TypeChord({VK_CONTROL, VK_MENU, 'V'});
    if (!PumpUntil([&] { return PopupShown(); })) {
      return ::testing::AssertionFailure() << "no popup";
    }
    // A key typed before the list has the focus would go to the program behind.
    if (!PumpUntil([&] { return FocusedWindow() == program->Control(kIdItemsTree); })) {
      return ::testing::AssertionFailure() << "the popup did not take the keyboard";
    }
    return ::testing::AssertionSuccess();
  }

  // The window with the keyboard focus in the program's thread.
  HWND FocusedWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(program->MainWindow(), nullptr), &info);
    return info.hwndFocus;
  }

  // Where the `index`-th row of the tree is on screen (row 0 "Clipboard history", then its
  // clips, the newest first).
  POINT RowOnScreen(int index) const {
    HWND tree = program->Control(kIdItemsTree);
    DWORD_PTR rowHeight = 0;
    SendMessageTimeoutW(tree, TVM_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 1000, &rowHeight);
    POINT point{40, static_cast<LONG>(rowHeight * index + rowHeight / 2)};
    ClientToScreen(tree, &point);
    return point;
  }

  // Under Wine a move of the cursor lets go of the keys that SendInput holds: the cursor
  // goes there first, then Ctrl is held for a click where it is.
  static void CtrlClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    PumpFor(std::chrono::milliseconds(100));
    PressKey(VK_CONTROL, true);
    PumpFor(std::chrono::milliseconds(40));
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flags;
      SendInput(1, &input, sizeof input);
      PumpFor(std::chrono::milliseconds(40));
    }
    PressKey(VK_CONTROL, false);
  }

  // Waits for the first paste, then a while longer for any other.
  ::testing::AssertionResult PastedOnce(const std::u16string& text) {
    PumpUntil([&] { return target.Pastes() > 0; });
    PumpFor(kAfterPaste);
    if (target.Pastes() != 1 || target.Text() != text) {
      return ::testing::AssertionFailure()
             << target.Pastes() << " pastes of " << ::testing::PrintToString(target.Text());
    }
    return ::testing::AssertionSuccess();
  }

  CKeystrokeTarget target;
};

TEST_F(MultiSelectTest, ShiftDownThenCtrlEnterPastesTheTwoNewestClipsTogetherOnce) {
  ASSERT_TRUE(OpenPopup());
  TypeChord({VK_SHIFT, VK_DOWN});
  TypeChord({VK_CONTROL, VK_RETURN});
  EXPECT_TRUE(PastedOnce(u"gamma\r\nbeta"));
  EXPECT_TRUE(PumpUntil([&] { return !PopupShown(); }));
}

TEST_F(MultiSelectTest, CtrlClickThenCtrlEnterPastesBothInListOrderNotInClickOrder) {
  ASSERT_TRUE(OpenPopup());
  const POINT alpha = RowOnScreen(3);
  const POINT gamma = RowOnScreen(1);
  ClickAt(alpha);
  CtrlClickAt(gamma);
  TypeChord({VK_CONTROL, VK_RETURN});
  EXPECT_TRUE(PastedOnce(u"gamma\r\nalpha"));
}

}  // namespace
