// Program entry: one running copy per data folder, the main window, the message loop.

#include <exception>

#include "app/window/clipboard_viewer_form.h"
#include "app/window/single_instance.h"
#include "app/window/single_instance_key.h"
#include "foundation/data_paths.h"
#include "foundation/error_box.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SetUiExceptionHandler([](const std::exception& error) { ShowErrorBox(error.what()); });
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  try {
    const CSingleInstance instance(InstanceNameFor(DataFolder()));
    if (!instance.First()) {
      // The running copy shows its list; two copies would overwrite each other's clips.
      instance.ShowRunningCopy();
      return 0;
    }
    TClipboardViewerForm form(instance);
    if (!form.Create()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  } catch (...) {
    ReportUiException();
  }
  return 0;
}
