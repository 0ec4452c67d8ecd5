#pragma once
// One running copy per data folder (single_instance_key.h): the first copy holds a named
// mutex for its lifetime and marks its main window; a later copy finds that window, asks
// it to show its list and ends. The installer closes the running copy of a folder with
// CloseRunningCopy ("quillery.exe /close") before it replaces the program; a user pauses
// and resumes the capture of the running copy with PauseRunningCopy ("quillery.exe /pause",
// "/resume").

#include <chrono>
#include <string>

#include "app/window/win32/main_window_ids.h"
#include "platform/handles.h"

class CSingleInstance {
 public:
  // Claims `name` for this process.
  explicit CSingleInstance(const std::string& name);
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;

  // False when another process holds the name.
  bool First() const { return first_; }
  const std::string& Name() const { return name_; }

  // Marks `window` as the main window of this instance.
  void MarkMainWindow(HWND window) const;
  // Removes the mark (before the window is destroyed).
  void UnmarkMainWindow(HWND window) const;
  // Asks the main window (of `className`) of the copy that holds the name to show its
  // list. False when none was found (it may be starting or ending).
  bool ShowRunningCopy(const wchar_t* className = kMainWindowClass) const;

 private:
  std::string name_;
  UniqueFile mutex_;
  bool first_ = false;
};

// What CloseRunningCopy found and did; also the exit code of "quillery.exe /close".
enum class ECloseResult : int {
  kNoneRunning = 0,   // no copy held the name
  kClosed = 1,        // a copy was running and has ended
  kStillRunning = 2,  // a copy holds the name still when the time is up
};

// Asks the copy that holds `name` to close as "Exit" does (WM_CLOSE to its marked main
// window, so that it saves its data) and waits up to `timeout` for it to end. Holds no claim
// on the name itself.
ECloseResult CloseRunningCopy(const std::string& name, std::chrono::milliseconds timeout,
                              const wchar_t* className = kMainWindowClass);

// What PauseRunningCopy found and did; also the exit code of "quillery.exe /pause" and
// "quillery.exe /resume", with the numbers of ECloseResult.
enum class EPauseResult : int {
  kNoneRunning = 0,  // no copy held the name
  kDone = 1,         // the running copy has paused, or resumed, its capture
  kNoAnswer = 2,     // a copy holds the name but did not answer before the time was up
};

// Asks the copy that holds `name` to pause its capture (`paused`) or to resume it, and
// waits up to `timeout` for its answer. A copy that is starting is waited for. Holds no
// claim on the name itself.
EPauseResult PauseRunningCopy(const std::string& name, bool paused,
                              std::chrono::milliseconds timeout,
                              const wchar_t* className = kMainWindowClass);
