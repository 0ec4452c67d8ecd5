#include "app/window/closing_sequence.h"

#include <exception>

bool RunClosingSequence(CClosingPort& port, ECloseReason reason) {
  port.StopClipboardWatch();
  try {
    port.SaveData();
  } catch (const std::exception& error) {
    if (reason == ECloseReason::kExit) {
      port.ShowSaveError(error.what());
      port.StartClipboardWatch();
      return false;
    }
    // The session ends whatever happens; nothing here can wait for the user.
  }
  port.ReleaseHandler();
  try {
    port.WritePosition();
  } catch (const std::exception&) {
    // A place that cannot be stored only costs the window its place next time.
  }
  port.ReleaseSettings();
  return true;
}
