#pragma once
// CTrayIcon: the program's icon in the notification area, identified by its window and id.
// Mouse events on it arrive at the window as `callbackMessage` with the mouse message in
// lParam. Explorer forgets every icon when it restarts; the window calls Add() again on
// TaskbarCreatedMessage().

#include <chrono>
#include <future>
#include <string>

#include "platform/windows_api.h"
// After windows.h, which it needs.
#include <shellapi.h>

class CTrayIcon {
 public:
  CTrayIcon(HWND window, UINT id, UINT callbackMessage, HICON icon, std::wstring tip);
  // Removes the icon, waiting for the shell at most kRemovalPatience (see Remove).
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Shows the icon (again); false when the notification area refuses it, or once its
  // removal has begun.
  bool Add();

  // Tells `text` in a balloon beside the icon, which the shell takes away in its own time;
  // the icon's tip is its title. False when the icon is not shown or the shell refuses.
  bool ShowBalloon(const std::u16string& text);

  // Shows `icon` (not owned; it must live as long as this object or the next SetIcon) in
  // the place of the one before, at once if the icon is shown.
  void SetIcon(HICON icon);
  // The same with the tip `tip` in the place of the one before.
  void SetIcon(HICON icon, std::wstring tip);

  // Takes the icon away, waiting for the shell at most `patience` from BeginRemoval (or
  // from now, if it was not begun). The shell answers in its own time: Explorer's
  // notification area is given up to 4 s when it is busy, and Wine's stand-alone tray
  // window (on a desktop without a tray, as on Xvfb) hides itself when its last icon goes
  // and then waits 2 s for a window manager that never answers. So the request runs on a
  // thread of its own; one still unanswered after `patience` is left to the shell, which
  // drops the icons of a window that is gone, or ends with the process.
  void Remove(std::chrono::milliseconds patience);
  // Sends the request away and returns at once, so that the wait for the shell runs
  // alongside the rest of a close. The icon is no longer shown or added again.
  void BeginRemoval();

  static constexpr std::chrono::milliseconds kRemovalPatience{50};

  // The message Explorer broadcasts when its taskbar is (re)created.
  static UINT TaskbarCreatedMessage();

 private:
  NOTIFYICONDATAW Data() const;

  HWND window_;
  UINT id_;
  UINT callbackMessage_;
  HICON icon_;  // not owned
  std::wstring tip_;
  bool added_ = false;
  bool removing_ = false;      // for good: Add() refuses from then on
  std::future<void> removal_;  // answered once the shell has taken the icon away
  std::chrono::steady_clock::time_point removalBegun_;
};
