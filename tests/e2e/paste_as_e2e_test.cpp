// "Paste as" with the real program: the popup pastes a clip in another form into an edit of
// this test, no clip is made of that form, and the clipboard then holds what it held before;
// Shift+F10 opens the selected row's menu, which the keyboard then drives.

#include "app/window/win32/main_window_ids.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/paste_target.h"

namespace {

class PasteAsTest : public PasteProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartWithClips());
    // What the user's clipboard holds: the newest clip, which the popup selects first.
    ASSERT_TRUE(CopyAndWait(*program, u"Held before"));
    ASSERT_TRUE(target.TakeFocus());
    PlaceCursorForThePopup();
  }

  // Ctrl+Alt+V until the popup has the keyboard, then Down to "gamma".
  ::testing::AssertionResult OpenPopupOnGamma() {
    TypeChord({VK_CONTROL, VK_MENU, 'V'});
    if (!PumpUntil(
            [&] { return PopupShown() && GetForegroundWindow() == program->MainWindow(); })) {
      return ::testing::AssertionFailure() << "the popup did not take the keyboard";
    }
    rowsBefore = program->TreeRowCount();
    TypeChord({VK_DOWN});
    return ::testing::AssertionSuccess();
  }

  // The edit got `text`, no clip came of it, and the clipboard went back to what it held.
  void ExpectPastedAndClipboardBack(const std::u16string& text) {
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == text; }))
        << ::testing::PrintToString(target.Text());
    EXPECT_TRUE(PumpUntil([&] { return driver.ReadUnicodeText() == u"Held before"; }))
        << ::testing::PrintToString(driver.ReadUnicodeText().value_or(u"<none>"));
    PumpFor(kAfterPaste);
    EXPECT_EQ(driver.ReadUnicodeText(), u"Held before");
    EXPECT_EQ(program->HeaderText(), u"Held before");
    EXPECT_EQ(target.Text(), text);
  }

  CPasteTarget target;
  int rowsBefore = 0;
};

TEST_F(PasteAsTest, CtrlShiftUPastesTheClipUpperCasedAndTheClipboardGetsBackWhatItHeld) {
  ASSERT_TRUE(OpenPopupOnGamma());
  TypeChord({VK_CONTROL, VK_SHIFT, 'U'});
  ExpectPastedAndClipboardBack(u"GAMMA");
  EXPECT_EQ(program->TreeRowCount(), rowsBefore);
}

TEST_F(PasteAsTest, ShiftF10OpensTheRowsMenuWhoseAccessKeysPasteAsUpperCase) {
  ASSERT_TRUE(OpenPopupOnGamma());
  TypeChord({VK_SHIFT, VK_F10});
  HWND menu = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    menu = FindProcessWindow(program->ProcessId(), L"#32768");
    return menu != nullptr && IsWindowVisible(menu);
  })) << "no menu opened";
  // Beside the selected row, not at the mouse.
  const RECT list = WindowRect(program->Control(kIdItemsTree));
  const RECT placed = WindowRect(menu);
  EXPECT_GE(placed.left, list.left);
  EXPECT_LE(placed.left, list.right);
  TypeChord({'A'});  // "Paste &as"
  TypeChord({'U'});  // "&UPPER CASE"
  ExpectPastedAndClipboardBack(u"GAMMA");
}

}  // namespace
