#pragma once
// A window of ours that takes drops as a program that accepts dragged text does: an edit
// registered with OLE as a drop target, on a thread of its own that answers the calls of
// the dragging program while the test waits.

#include <atomic>
#include <string>
#include <thread>

#include "platform/windows_api.h"

class COleDropTargetWindow {
 public:
  // Opens the window, topmost, at `area` (screen). With `accept` false the target refuses
  // every drop, as a program does that takes no text. Ready() tells whether it is open
  // and registered.
  COleDropTargetWindow(RECT area, bool accept);
  // Closes the window and ends its thread.
  ~COleDropTargetWindow();
  COleDropTargetWindow(const COleDropTargetWindow&) = delete;
  COleDropTargetWindow& operator=(const COleDropTargetWindow&) = delete;

  bool Ready() const { return ready_; }
  // The edit's text: what the drops left there.
  std::u16string Text() const;
  // How often a drag came over the target, and how often something was dropped on it.
  int Enters() const { return enters_; }
  int Drops() const { return drops_; }
  // The effects that the last drag over the target allowed (DROPEFFECT_ flags).
  DWORD AllowedEffects() const { return allowed_; }

 private:
  class CTarget;
  void Run(RECT area, bool accept);

  std::atomic<bool> ready_{false};
  std::atomic<bool> finished_{false};
  std::atomic<HWND> edit_{nullptr};
  std::atomic<DWORD> threadId_{0};
  std::atomic<int> enters_{0};
  std::atomic<int> drops_{0};
  std::atomic<DWORD> allowed_{0};
  std::thread thread_;
};
