// Keys typed anywhere on the desktop: quick paste into another program and the popup.

#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/paste_target.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

using std::chrono::milliseconds;

// A classic edit control takes WM_PASTE: automatically the program posts it (this test's
// message loop translates no keys, so a keystroke would not paste into the edit), and it
// does so with "PasteMethod" 3.
class EditPasteTest : public PasteProgramTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    installation.SetSetting(Settings::kPasteMethod, GetParam());
    StartWithClips();
    ASSERT_TRUE(target.TakeFocus());
  }

  CPasteTarget target;
};

TEST_P(EditPasteTest, CtrlOnePastesTheNewestHistoryClipIntoTheFocusedControl) {
  TypeChord({VK_CONTROL, '1'});
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == u"gamma"; }))
      << "edit: " << ::testing::PrintToString(target.Text());
}

TEST_P(EditPasteTest, AltOnePastesTheFirstNote) {
  TypeChord({VK_MENU, '1'});
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == u"first note"; }))
      << "edit: " << ::testing::PrintToString(target.Text());
}

INSTANTIATE_TEST_SUITE_P(AutomaticAndMessage, EditPasteTest,
                         ::testing::Values(Settings::kPasteMethodAutomatic,
                                           Settings::kPasteMethodMessage));

// A program that pastes only on the keystroke, as browsers do, with the automatic method.
class KeystrokePasteTest : public PasteProgramTest {
 protected:
  void SetUp() override {
    StartWithClips();
    ASSERT_TRUE(target.TakeFocus());
  }

  // Waits for `text` to arrive, then a while longer for anything more.
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

TEST_F(KeystrokePasteTest, TheMenuBarCounterSeesALoneAlt) {
  TypeChord({VK_MENU});
  EXPECT_EQ(target.MenuActivations(), 1);
}

TEST_F(KeystrokePasteTest, CtrlOnePastesTheNewestHistoryClipOnce) {
  TypeChord({VK_CONTROL, '1'});
  EXPECT_TRUE(PastedOnce(u"gamma"));
  EXPECT_EQ(target.PasteMessages(), 0);
  EXPECT_EQ(target.MenuActivations(), 0);
}

TEST_F(KeystrokePasteTest, AltOnePastesTheFirstNoteOnceWithoutThePopupOrTheMenuBar) {
  TypeChord({VK_MENU, '1'});
  EXPECT_TRUE(PastedOnce(u"first note"));
  EXPECT_FALSE(PopupShown());  // Ctrl+V with Alt held would have been Ctrl+Alt+V
  EXPECT_EQ(target.MenuActivations(), 0);
}

// Alt let go before the digit: after the paste, Alt is pressed again for the user, and
// releasing it then must not open the menu bar.
TEST_F(KeystrokePasteTest, ReleasingAltBeforeTheDigitOpensNoMenuBar) {
  PressKey(VK_MENU, true);
  PumpFor(milliseconds(40));
  PressKey('1', true);
  PumpUntil([&] { return target.Pastes() > 0; });
  PumpFor(milliseconds(100));
  PressKey(VK_MENU, false);
  PumpFor(milliseconds(40));
  PressKey('1', false);
  EXPECT_TRUE(PastedOnce(u"first note"));
  EXPECT_EQ(target.MenuActivations(), 0);
  EXPECT_GE(GetAsyncKeyState(VK_MENU), 0);  // nothing left held
  EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0);
}

TEST_F(KeystrokePasteTest, ShiftInsertWhenTheSettingSaysSo) {
  ASSERT_TRUE(program->Close());
  installation.SetSetting(Settings::kPasteMethod, Settings::kPasteMethodShiftInsert);
  program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(target.TakeFocus());
  TypeChord({VK_CONTROL, '2'});
  EXPECT_TRUE(PastedOnce(u"beta"));
}

// The popup's "Paste to active app": the popup takes the focus when a clip is picked, then
// hands it back to the program that was in front and pastes there.
TEST_F(KeystrokePasteTest, ThePopupPastesThePickedClipIntoTheProgramBefore) {
  PlaceCursorForThePopup();
  TypeChord({VK_CONTROL, VK_MENU, 'V'});
  ASSERT_TRUE(PumpUntil([&] { return PopupShown(); }));

  // Row 0 is "Clipboard history", unfolded here; rows 1 to 3 its clips, the newest first.
  HWND tree = program->Control(kIdItemsTree);
  DWORD_PTR history = 0;
  ASSERT_TRUE(
      SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, SMTO_ABORTIFHUNG, 1000, &history));
  DWORD_PTR unused = 0;
  SendMessageTimeoutW(tree, TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(history), SMTO_ABORTIFHUNG,
                      1000, &unused);
  DWORD_PTR rowHeight = 0;
  ASSERT_TRUE(
      SendMessageTimeoutW(tree, TVM_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 1000, &rowHeight));
  POINT beta{20, static_cast<LONG>(rowHeight * 2 + rowHeight / 2)};
  ClientToScreen(tree, &beta);
  ClickAt(beta);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == program->MainWindow(); }));
  DoubleClickAt(beta);

  EXPECT_TRUE(PastedOnce(u"beta"));
  EXPECT_EQ(target.MenuActivations(), 0);
}

using PopupTest = ProgramTest;

// The popup hot key opens the list one pixel right of and below the cursor, or left of
// and above it where the list would not fit in the work area.
TEST_F(PopupTest, CtrlAltVOpensThePopupBesideTheCursor) {
  auto program = Start();
  ASSERT_TRUE(program);
  HWND window = program->MainWindow();
  HWND autoPaste = program->Control(kIdAutoPaste);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

  SetCursorPos(work.left + 300, work.top + 200);
  TypeChord({VK_CONTROL, VK_MENU, 'V'});
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(autoPaste) != FALSE; }));
  RECT popup = WindowRect(window);
  EXPECT_EQ(popup.left, work.left + 301);
  EXPECT_EQ(popup.top, work.top + 201);
  EXPECT_TRUE(IsWindowVisible(program->Control(kIdItemsTree)));

  // The cursor leaves: the window docks again, and opens near the corner the next time.
  SetCursorPos(work.left + 10, work.bottom - 10);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(autoPaste) == FALSE; }));
  SetCursorPos(work.right - 10, work.bottom - 10);
  TypeChord({VK_CONTROL, VK_MENU, 'V'});
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(autoPaste) != FALSE; }));
  popup = WindowRect(window);
  EXPECT_EQ(popup.right, work.right - 11);
  EXPECT_EQ(popup.bottom, work.bottom - 11);
}

}  // namespace
