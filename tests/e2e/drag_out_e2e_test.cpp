// A clip dragged out of the list with the mouse and dropped on another program's edit, which
// takes it by OLE drag and drop: the edit receives the text, the clip stays in the list,
// and Escape on the way, or a target that takes no text, leaves everything as it was.

#include <chrono>
#include <string>

#include "app/window/win32/main_window_ids.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/ole_drop_target.h"
#include "tests/e2e/program_fixture.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kMoveGap{30};

POINT CentreOf(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Moves the pointer as the mouse does, with the buttons as they are.
void MoveMouseTo(POINT point) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  PumpFor(kMoveGap);
}

void PressLeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
  PumpFor(kMoveGap);
}

// Presses the left button at `from` and moves the pointer to `to` in steps, the button held.
void DragFromTo(POINT from, POINT to) {
  MoveMouseTo(from);
  PressLeftButton(true);
  constexpr int kSteps = 12;
  for (int step = 1; step <= kSteps; ++step) {
    MoveMouseTo(
        {from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
  }
  MoveMouseTo({to.x + 2, to.y + 2});  // the target hears the drag over it once more
  MoveMouseTo(to);
}

class DragOutTest : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(driver.CopyText(u"dragged text"));
    program = Start();
    ASSERT_TRUE(program);
    ASSERT_TRUE(program->WaitForHeader(u"dragged text"));
    // The list opened and pinned, so that it stays while the pointer goes elsewhere.
    HWND tree = program->Control(kIdItemsTree);
    ClickAt(CentreOf(WindowRect(program->Control(kIdOpenClipboard))));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tree) != FALSE; }));
    ClickAt(CentreOf(WindowRect(program->Control(kIdPin))));
    rowsBefore = program->TreeRowCount();
    // Row 0 is "Clipboard history", unfolded; row 1 its clip.
    DWORD_PTR rowHeight = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(tree, TVM_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 1000, &rowHeight));
    clipRow = {40, static_cast<LONG>(rowHeight + rowHeight / 2)};
    ClientToScreen(tree, &clipRow);
  }

  // Where a target goes: beside the window, on whichever side has more room.
  RECT TargetArea() const {
    const RECT window = WindowRect(program->MainWindow());
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int left =
        screenWidth - window.right > window.left ? window.right + 60 : window.left - 260;
    return RECT{left, window.top + 40, left + 200, window.top + 140};
  }

  // The clip is still the list's, where it was.
  ::testing::AssertionResult ClipStays() const {
    if (program->TreeRowCount() != rowsBefore || program->HeaderText() != u"dragged text") {
      return ::testing::AssertionFailure() << program->TreeRowCount() << " rows, header "
                                           << ::testing::PrintToString(program->HeaderText());
    }
    return ::testing::AssertionSuccess();
  }

  std::unique_ptr<CRunningProgram> program;
  int rowsBefore = 0;
  POINT clipRow{};
};

TEST_F(DragOutTest, AClipDroppedOnAnotherProgramsEditGivesItTheTextAndStays) {
  COleDropTargetWindow target(TargetArea(), true);
  ASSERT_TRUE(target.Ready());
  DragFromTo(clipRow, CentreOf(TargetArea()));
  PressLeftButton(false);
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == u"dragged text"; }))
      << "edit: " << ::testing::PrintToString(target.Text()) << ", " << target.Enters()
      << " enters";
  EXPECT_EQ(target.Drops(), 1);
  EXPECT_EQ(target.AllowedEffects(), static_cast<DWORD>(DROPEFFECT_COPY));
  PumpFor(milliseconds(300));
  EXPECT_TRUE(ClipStays());
}

TEST_F(DragOutTest, EscapeDuringTheDragDropsNothing) {
  COleDropTargetWindow target(TargetArea(), true);
  ASSERT_TRUE(target.Ready());
  DragFromTo(clipRow, CentreOf(TargetArea()));
  ASSERT_TRUE(PumpUntil([&] { return target.Enters() > 0; })) << "the drag never came over";
  TypeChord({VK_ESCAPE});
  PressLeftButton(false);
  PumpFor(milliseconds(300));
  EXPECT_EQ(target.Drops(), 0);
  EXPECT_EQ(target.Text(), u"");
  EXPECT_TRUE(ClipStays());
}

TEST_F(DragOutTest, ATargetThatRefusesTheDropChangesNothing) {
  COleDropTargetWindow target(TargetArea(), false);
  ASSERT_TRUE(target.Ready());
  DragFromTo(clipRow, CentreOf(TargetArea()));
  PressLeftButton(false);
  ASSERT_TRUE(PumpUntil([&] { return target.Enters() > 0; })) << "the drag never came over";
  PumpFor(milliseconds(300));
  EXPECT_EQ(target.Drops(), 0);
  EXPECT_EQ(target.Text(), u"");
  EXPECT_TRUE(ClipStays());
}

}  // namespace
