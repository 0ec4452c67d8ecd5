#pragma once
// CSearchField: the one-line search field of the main window's header. Its text changes
// reach the parent as EN_CHANGE; the keys that belong to the list rather than to the text
// go to the port.

#include <string>

#include "platform/windows_api.h"

class CSearchFieldPort {
 public:
  virtual ~CSearchFieldPort() = default;
  // Up, Down, Page Up and Page Down: they move through the list; F2 and Ctrl+N: the list
  // takes them as its own.
  virtual void SearchFieldNavigate(WPARAM key) = 0;
  virtual void SearchFieldEnter() = 0;
  virtual void SearchFieldEscape() = 0;
  // The keys typed so far are all in the text: the time to search for it (RequestSettle).
  virtual void SearchFieldSettled() = 0;
};

class CSearchField {
 public:
  // Creates the field hidden, as child `id` of `parent`, in `font` (borrowed). `port` must
  // outlive the field. The window goes with its parent.
  CSearchField(HWND parent, int id, HFONT font, CSearchFieldPort& port);
  ~CSearchField();
  CSearchField(const CSearchField&) = delete;
  CSearchField& operator=(const CSearchField&) = delete;

  HWND Handle() const { return edit_; }
  std::u16string Text() const;
  // Replaces the text (an EN_CHANGE follows).
  void SetText(const std::u16string& text);
  // Adds `character` at the end, with the caret after it.
  void Append(wchar_t character);
  // SearchFieldSettled once the keys waiting in the thread's queue have reached the field:
  // at once when none waits, else when the timer's message comes, which comes only when no
  // input waits. Requests before it make one call.
  void RequestSettle();
  // The same by the timer only: the input, and the drawing, that wait go first.
  void RequestLater();
  // No SearchFieldSettled for the requests made so far.
  void CancelSettle();

 private:
  static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Settle();

  bool settleDue_ = false;     // a request waits for SearchFieldSettled
  bool settlePosted_ = false;  // the settle message is on its way

  HWND edit_ = nullptr;
  WNDPROC editProc_ = nullptr;
  CSearchFieldPort& port_;
};
