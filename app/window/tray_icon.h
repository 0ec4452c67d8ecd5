#pragma once
// CTrayIcon: the program's icon in the notification area, identified by its window and id.
// Mouse events on it arrive at the window as `callbackMessage` with the mouse message in
// lParam. Explorer forgets every icon when it restarts; the window calls Add() again on
// TaskbarCreatedMessage().

#include <string>

#include "platform/windows_api.h"
// After windows.h, which it needs.
#include <shellapi.h>

class CTrayIcon {
 public:
  CTrayIcon(HWND window, UINT id, UINT callbackMessage, HICON icon, std::wstring tip);
  // Removes the icon.
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Shows the icon (again); false when the notification area refuses it.
  bool Add();

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
};
