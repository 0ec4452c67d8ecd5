#pragma once
// CBareClipboardViewer: the least a clipboard viewer can do, to compare a program's captures
// with: a window that listens for clipboard changes and, at each, opens the clipboard, takes
// its Unicode text and closes it at once. It runs on the thread that makes it, whose
// message loop must be pumped.

#include <set>
#include <string>

#include "platform/win32/gdi.h"

class CBareClipboardViewer {
 public:
  CBareClipboardViewer();
  ~CBareClipboardViewer();
  CBareClipboardViewer(const CBareClipboardViewer&) = delete;
  CBareClipboardViewer& operator=(const CBareClipboardViewer&) = delete;

  bool Listening() const { return listening_; }
  // Every different text it has read since it was made.
  const std::set<std::u16string>& Texts() const { return texts_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ReadClipboard();

  UniqueWindow window_;
  bool listening_ = false;
  std::set<std::u16string> texts_;
};
