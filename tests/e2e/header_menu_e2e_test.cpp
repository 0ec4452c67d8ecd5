// The header's menu: a right click on the header (the part of the window that drags it)
// opens the program's menu, whose "Exit" ends the program.

#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"

namespace {

using HeaderMenuTest = ProgramTest;

TEST_F(HeaderMenuTest, ARightClickOnTheHeaderOpensTheMenuWhoseExitEndsTheProgram) {
  auto program = Start();
  ASSERT_TRUE(program);
  const RECT window = WindowRect(program->MainWindow());
  RightClickAt({window.left + 12, window.top + 8});
  HWND menu = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    menu = FindProcessWindow(program->ProcessId(), L"#32768");
    return menu != nullptr && IsWindowVisible(menu);
  })) << "no menu opened";
  // "Exit" is the menu's last item: Up from no selection goes to it.
  TypeChord({VK_UP});
  TypeChord({VK_RETURN});
  EXPECT_TRUE(program->WaitForExit(kStartTimeout));
}

}  // namespace
