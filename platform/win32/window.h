#pragma once
// CWindow: the small base of our top-level windows. The object is found from its HWND
// (GWLP_USERDATA, stored at WM_NCCREATE) and messages go to the virtual HandleMessage.
// No exception leaves the window procedure: it is shown by the UI exception handler and the
// message counts as handled.

#include <exception>
#include <functional>

#include "platform/windows_api.h"

// Receives every exception that reaches a window or dialog procedure of ours. The program
// shows it in its error box; by default it goes to a plain message box.
using UiExceptionHandler = std::function<void(const std::exception& error)>;
void SetUiExceptionHandler(UiExceptionHandler handler);
// Calls the handler for the exception being handled (call from a catch block only).
void ReportUiException();

// Counts the window procedures of ours running on the GUI thread, one within another: more
// than one means that a handler runs a modal loop (a menu, a dialog box) or sends a
// message, and that the message at hand came from inside it. Every procedure of ours holds
// one for as long as it handles a message.
class CMessageScope {
 public:
  CMessageScope();
  // The outermost scope, as it ends, runs the tasks that AfterOutermostMessage queued.
  ~CMessageScope();
  CMessageScope(const CMessageScope&) = delete;
  CMessageScope& operator=(const CMessageScope&) = delete;

  // How many scopes are open now.
  static int Depth();
};

// Runs `task` when the outermost message scope ends, once every handler of ours has
// returned (at once when none is running). The task must not throw; what it uses must live
// until then.
void AfterOutermostMessage(std::function<void()> task);

// The body of every window, subclass and dialog procedure of ours: `work` runs inside a
// message scope; an exception that leaves it is reported (ReportUiException) and the message
// counts as handled, with `onException` as its result.
template <typename Result, typename Work>
Result GuardedProcedure(Result onException, Work&& work) {
  const CMessageScope scope;
  try {
    return work();
  } catch (...) {
    ReportUiException();
    return onException;
  }
}

class CWindow {
 public:
  CWindow() = default;
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;
  // Destroys the window if it still exists.
  virtual ~CWindow();

  HWND Handle() const { return hwnd_; }

  // Registers `className` once per process (with `wc`'s other fields as given: style,
  // icon, cursor, background) and creates the window. False when the system refuses.
  bool Create(const wchar_t* className, WNDCLASSEXW wc, DWORD exStyle, const wchar_t* title,
              DWORD style, int x, int y, int width, int height, HWND parent = nullptr);

 protected:
  // The window's messages; the default hands them to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // After WM_NCDESTROY the object no longer has a window.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};
