// Keys typed anywhere on the desktop: quick paste into another program and the popup.

#include "app/window/main_window_ids.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_target.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

class QuickPasteTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteTextClips(installation.DataFile(),
                   {{u"first note", kNotesCategoryId}, {u"second note", kNotesCategoryId}});
    program = Start();
    ASSERT_TRUE(program);
    for (const auto* text : {u"alpha", u"beta", u"gamma"}) ASSERT_TRUE(CopyAndWait(*program, text));
    // With the clipboard empty, whatever lands in the edit was put there by the paste.
    ASSERT_TRUE(driver.Clear());
    ASSERT_TRUE(target.TakeFocus());
  }

  std::unique_ptr<CRunningProgram> program;
  CPasteTarget target;
};

TEST_F(QuickPasteTest, CtrlOnePastesTheNewestHistoryClipIntoTheFocusedControl) {
  TypeChord({VK_CONTROL, '1'});
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == u"gamma"; }))
      << "edit: " << ::testing::PrintToString(target.Text());
}

TEST_F(QuickPasteTest, AltOnePastesTheFirstNote) {
  TypeChord({VK_MENU, '1'});
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == u"first note"; }))
      << "edit: " << ::testing::PrintToString(target.Text());
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
