// quillery_screenshot_stage [TEXT]: sets the program up for a screenshot of its unfolded
// window. Run in a folder that holds an installation (quillery.exe, quillery.ini,
// Data\data.dat), it copies TEXT, if given, which the program captures at its start as the
// newest clip, starts the program, opens and pins its list with the mouse, writes the window's
// screen rectangle "left top width height" to window.txt in that folder, waits until
// the file shot-taken appears there (two minutes at most) and closes the program.
// scripts/screenshot.sh takes the picture in between.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/window/win32/main_window_ids.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/running_program.h"
#include "tests/support/clipboard_driver.h"

namespace {

POINT CentreOf(HWND window) {
  const RECT rect = WindowRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = std::filesystem::current_path();
  CClipboardDriver clipboard;
  if (argc > 1 && !clipboard.CopyAnsiText(argv[1])) {
    std::fputs("the text could not be copied\n", stderr);
    return 1;
  }
  CRunningProgram program(folder / "quillery.exe");
  if (!program.Started() || program.WaitForMainWindow() == nullptr) {
    std::fputs("the program did not start\n", stderr);
    return 1;
  }
  HWND tree = program.Control(kIdItemsTree);
  ClickAt(CentreOf(program.Control(kIdOpenClipboard)));
  if (!PumpUntil([&] { return IsWindowVisible(tree) != FALSE; })) {
    std::fputs("the list did not open\n", stderr);
    return 1;
  }
  ClickAt(CentreOf(program.Control(kIdPin)));
  // The first clip (below the history's own row), so that the picture shows a selection.
  const RECT rows = WindowRect(tree);
  ClickAt({rows.left + 60, rows.top + 39});
  // Over the header, where the window is opaque and nothing is highlighted.
  const RECT window = WindowRect(program.MainWindow());
  SetCursorPos(window.left + 30, window.top + 8);
  PumpFor(std::chrono::milliseconds(500));

  std::ofstream(folder / "window.txt")
      << window.left << ' ' << window.top << ' ' << window.right - window.left << ' '
      << window.bottom - window.top << '\n';
  PumpUntil([&] { return std::filesystem::exists(folder / "shot-taken"); },
            std::chrono::minutes(2));
  return program.Close() ? 0 : 1;
}
