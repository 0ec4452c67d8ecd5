// Program entry: one running copy per data folder, the main window, the message loop.
// "quillery.exe /close" instead closes the copy that runs on this copy's data folder (the
// installer's step before it replaces the program) and exits with an ECloseResult;
// "/pause" and "/resume" pause and resume that copy's capture and exit with an EPauseResult.

#include <chrono>
#include <exception>
#include <memory>
#include <string_view>

#include "app/window/win32/clipboard_viewer_form.h"
#include "app/window/win32/single_instance.h"
#include "app/window/single_instance_key.h"
#include "foundation/data_paths.h"
#include "foundation/error_box.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"

namespace {

// Long enough for a copy to save a large data file.
constexpr std::chrono::milliseconds kCloseTimeout{30000};
// A running copy answers at once, unless it is still loading its data file.
constexpr std::chrono::milliseconds kPauseTimeout{10000};

enum class ECommand { kStart, kClose, kPause, kResume };

ECommand CommandOf(std::wstring_view commandLine) {
  while (!commandLine.empty() && commandLine.back() == L' ') commandLine.remove_suffix(1);
  while (!commandLine.empty() && commandLine.front() == L' ') commandLine.remove_prefix(1);
  if (commandLine == L"/close") return ECommand::kClose;
  if (commandLine == L"/pause") return ECommand::kPause;
  if (commandLine == L"/resume") return ECommand::kResume;
  return ECommand::kStart;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const ECommand command = commandLine != nullptr ? CommandOf(commandLine) : ECommand::kStart;
  if (command == ECommand::kClose) {
    return static_cast<int>(CloseRunningCopy(InstanceNameFor(DataFolder()), kCloseTimeout));
  }
  if (command == ECommand::kPause || command == ECommand::kResume) {
    return static_cast<int>(PauseRunningCopy(InstanceNameFor(DataFolder()),
                                             command == ECommand::kPause, kPauseTimeout));
  }
  SetUiExceptionHandler([](const std::exception& error) { ShowErrorBox(error.what()); });
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  bool leftToTheSystem = false;
  try {
    const CSingleInstance instance(InstanceNameFor(DataFolder()));
    if (!instance.First()) {
      // The running copy shows its list; two copies would overwrite each other's clips.
      instance.ShowRunningCopy();
      return 0;
    }
    auto form = std::make_unique<TClipboardViewerForm>(instance);
    if (!form->Create()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (form->TakeTabKey(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (form->Closed()) {
      // Its data is on disk and what it shared is given back; the rest goes with the
      // process. The name of this data folder is let go (the instance's end) before.
      static_cast<void>(form.release());
      leftToTheSystem = true;
    }
  } catch (...) {
    ReportUiException();
  }
  // Not a return: the clip handler, a static, would be destroyed at the exit of the C
  // runtime, clip by clip and row by row.
  if (leftToTheSystem) ExitProcess(0);
  return 0;
}
