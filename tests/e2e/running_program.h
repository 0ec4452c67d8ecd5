#pragma once
// One started quillery.exe, seen from outside: its process, its main window and the
// controls of that window. A program still running when the object goes is terminated, so
// that a failed test leaves nothing behind.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/handles.h"
#include "platform/windows_api.h"

// Patience for a start of the program under Wine, which may have to start services first.
inline constexpr std::chrono::milliseconds kStartTimeout{30000};

// Whether the program's main window hears of clipboard changes: as the system's listener,
// or at the head of the viewer chain where the system has no listener.
bool WatchesTheClipboard(HWND mainWindow);

class CRunningProgram {
 public:
  // Starts the program with its folder as the working folder. Started() tells whether the
  // system started it.
  explicit CRunningProgram(const std::filesystem::path& program);
  ~CRunningProgram();
  CRunningProgram(const CRunningProgram&) = delete;
  CRunningProgram& operator=(const CRunningProgram&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  DWORD ProcessId() const { return processId_; }
  bool IsRunning() const;

  // Waits until the program is ready for work: its main window (found by its class) has
  // its controls and the program has joined the clipboard-viewer chain, which it does once
  // its data is loaded. Keeps the window; null on timeout.
  HWND WaitForMainWindow(std::chrono::milliseconds timeout = kStartTimeout);
  HWND MainWindow() const { return mainWindow_; }
  HWND Control(int id) const { return GetDlgItem(mainWindow_, id); }

  // Waits for a top-level window of the process with that class and, unless null, title.
  HWND WaitForWindow(const wchar_t* className, const wchar_t* title,
                     std::chrono::milliseconds timeout);

  // The text of the header label: the caption of the newest clip.
  std::u16string HeaderText() const;
  // Waits until the header shows `caption`: the program has captured the copy.
  bool WaitForHeader(std::u16string_view caption) const;
  // Rows of the clip tree, categories and clips, folded or not.
  int TreeRowCount() const;

  // Asks the program to close as a user would (WM_CLOSE to the main window) and waits
  // for the process to end; false if it did not end in time.
  bool Close(std::chrono::milliseconds timeout = std::chrono::milliseconds(15000));
  // Ends the process at once (TerminateProcess), as a crash or the task manager would, and
  // waits for it to be gone; false if it did not end in time.
  bool Kill();
  // Waits for the process to end; false if it did not.
  bool WaitForExit(std::chrono::milliseconds timeout);

 private:
  struct ProcessTraits {
    using Handle = HANDLE;
    static void Close(Handle handle) { CloseHandle(handle); }
  };

  Unique<ProcessTraits> process_;
  DWORD processId_ = 0;
  HWND mainWindow_ = nullptr;
};

// Runs `program` with `arguments` (appended to its quoted path) and waits for it to end,
// handling this thread's messages meanwhile; its exit code, or nullopt when it could not
// be started or did not end in time (it is then left running).
std::optional<DWORD> RunToEnd(const std::filesystem::path& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout = std::chrono::seconds(120));
