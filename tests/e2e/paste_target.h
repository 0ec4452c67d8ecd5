#pragma once
// "Another application" that receives pastes: a top-level window of this thread holding
// one edit control, placed away from where the program under test shows itself.

#include <string>

#include "platform/win32/gdi.h"

class CPasteTarget {
 public:
  CPasteTarget();

  // Brings the window to the foreground with the edit focused; false if the system did not
  // let it within the usual patience.
  bool TakeFocus();

  std::u16string Text() const;
  void Clear();

 private:
  UniqueWindow window_;
  HWND edit_ = nullptr;  // owned by window_
};
