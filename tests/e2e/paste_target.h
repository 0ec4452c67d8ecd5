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

// "Another application" of the kind most pastes go to (a browser, an Electron or Qt
// program): one top-level window of this thread that has the keyboard focus itself and a
// menu bar, ignores WM_PASTE and pastes only on the keystroke Ctrl+V (or Shift+Insert), by
// reading the clipboard itself. It keeps count of what it was sent.
class CKeystrokeTarget {
 public:
  CKeystrokeTarget();

  // Brings the window to the foreground with the keyboard focus; false if the system did
  // not let it within the usual patience.
  bool TakeFocus();
  HWND Window() const { return window_.get(); }

  // What the pastes brought, one after another.
  const std::u16string& Text() const { return text_; }
  int Pastes() const { return pastes_; }
  // WM_PASTE messages received (and ignored, as such programs do).
  int PasteMessages() const { return pasteMessages_; }
  // Times that Alt alone would have opened the menu bar (SC_KEYMENU, kept from doing so).
  int MenuActivations() const { return menuActivations_; }
  void Clear();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PasteFromClipboard();

  UniqueMenu menu_;  // owned by window_ once set; kept here until then
  UniqueWindow window_;
  std::u16string text_;
  int pastes_ = 0;
  int pasteMessages_ = 0;
  int menuActivations_ = 0;
};
