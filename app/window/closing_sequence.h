#pragma once
// Closing the main window: "Exit", WM_CLOSE and the end of the Windows session all run the
// same sequence. Its rule for a data file that cannot be written: on an ordinary close the
// user is told, the window watches the clipboard again and keeps running with
// every clip in memory, so that nothing is lost and the user can make room and exit again.
// At the end of the session there is no second chance: the rest of the sequence still runs.

#include <string>

enum class ECloseReason { kExit, kSessionEnd };

// The steps of closing, as the window performs them.
class CClosingPort {
 public:
  virtual ~CClosingPort() = default;
  virtual void StopClipboardWatch() = 0;
  virtual void StartClipboardWatch() = 0;
  // Writes the data file; throws (std::exception) when it cannot.
  virtual void SaveData() = 0;
  virtual void ShowSaveError(const std::string& message) = 0;
  virtual void ReleaseHandler() = 0;
  // Stores the docked place. A settings file that cannot be written keeps it for the run;
  // the user has already been told so.
  virtual void WritePosition() = 0;
  virtual void ReleaseSettings() = 0;
};

// Runs the sequence. True when the window may go; false when it must keep running.
bool RunClosingSequence(CClosingPort& port, ECloseReason reason);
