#pragma once
// One running copy per data folder (single_instance_key.h): the first copy holds a named
// mutex for its lifetime and marks its main window; a later copy finds that window, asks
// it to show its list and ends.

#include <string>

#include "app/window/main_window_ids.h"
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
