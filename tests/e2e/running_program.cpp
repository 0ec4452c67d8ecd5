#include "tests/e2e/running_program.h"

#include <commctrl.h>

#include "app/window/win32/clipboard_watch.h"
#include "app/window/win32/main_window_ids.h"
#include "tests/e2e/desktop.h"

bool WatchesTheClipboard(HWND mainWindow) {
  if (GetPropW(mainWindow, kClipboardListenerProperty) != nullptr) return true;
  DWORD viewerProcess = 0;
  DWORD process = 0;
  GetWindowThreadProcessId(GetClipboardViewer(), &viewerProcess);
  GetWindowThreadProcessId(mainWindow, &process);
  return viewerProcess != 0 && viewerProcess == process;
}

CRunningProgram::CRunningProgram(const std::filesystem::path& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  const std::wstring folder = program.parent_path().wstring();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &started)) {
    return;
  }
  CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  processId_ = started.dwProcessId;
}

CRunningProgram::~CRunningProgram() {
  if (IsRunning()) {
    TerminateProcess(process_.get(), 1);
    WaitForExit(std::chrono::milliseconds(5000));
  }
}

bool CRunningProgram::Kill() {
  if (!IsRunning()) return false;
  TerminateProcess(process_.get(), 1);
  return WaitForExit(std::chrono::milliseconds(5000));
}

bool CRunningProgram::IsRunning() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND CRunningProgram::WaitForMainWindow(std::chrono::milliseconds timeout) {
  HWND window = nullptr;
  const bool ready = PumpUntil(
      [&] {
        window = FindProcessWindow(processId_, kMainWindowClass);
        return (window != nullptr && GetDlgItem(window, kIdItemsTree) != nullptr &&
                WatchesTheClipboard(window)) ||
               !IsRunning();
      },
      timeout);
  mainWindow_ = ready && IsRunning() ? window : nullptr;
  // Busy finishing its start, the program could miss a key held only briefly.
  if (mainWindow_ != nullptr) WaitForInputIdle(process_.get(), 5000);
  return mainWindow_;
}

HWND CRunningProgram::WaitForWindow(const wchar_t* className, const wchar_t* title,
                                    std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  PumpUntil(
      [&] {
        found = FindProcessWindow(processId_, className, title);
        return found != nullptr || !IsRunning();
      },
      timeout);
  return found;
}

std::u16string CRunningProgram::HeaderText() const {
  return WindowText(Control(kIdClipboardContent));
}

bool CRunningProgram::WaitForHeader(std::u16string_view caption) const {
  return PumpUntil([&] { return HeaderText() == caption; });
}

int CRunningProgram::TreeRowCount() const {
  DWORD_PTR count = 0;
  SendMessageTimeoutW(Control(kIdItemsTree), TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count);
  return static_cast<int>(count);
}

bool CRunningProgram::Close(std::chrono::milliseconds timeout) {
  if (mainWindow_ != nullptr) PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
  return WaitForExit(timeout);
}

bool CRunningProgram::WaitForExit(std::chrono::milliseconds timeout) {
  // The program sends messages to the clipboard viewers of this thread while it leaves
  // the chain, so this thread keeps handling them while it waits.
  return PumpUntil([&] { return !IsRunning(); }, timeout);
}

std::optional<DWORD> RunToEnd(const std::filesystem::path& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started)) {
    return std::nullopt;
  }
  CloseHandle(started.hThread);
  const UniqueFile process(started.hProcess);
  if (!PumpUntil([&] { return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, timeout)) {
    return std::nullopt;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  return exitCode;
}
