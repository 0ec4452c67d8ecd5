#pragma once
// What the main window's source files share of its own: the messages it posts to itself,
// its timer, the tray icon's id and the commands of the header's menu.

#include "platform/windows_api.h"

inline constexpr UINT_PTR kTimerId = 1;
inline constexpr UINT kTimerMilliseconds = 10;
inline constexpr UINT kTrayMessage = WM_APP + 1;
inline constexpr UINT kFirstActivationMessage = WM_APP + 2;
inline constexpr UINT kDamagedNoticeMessage = WM_APP + 3;
inline constexpr UINT kSettingsNoticeMessage = WM_APP + 4;
inline constexpr UINT kDeferredCloseMessage = WM_APP + 5;
// From the mouse hook's thread: a mouse hot key fired, its combination in wParam.
inline constexpr UINT kMouseHotKeyMessage = WM_APP + 16;
inline constexpr UINT kTrayIconId = 1;

enum EMainMenuCommand : int {
  kCommandSettings = 1001,
  kCommandCheckForUpdates,
  kCommandAbout,
  kCommandExit,
  kCommandPauseCapture,  // checked while paused
  kCommandClearHistory,
  kCommandShowList,  // the tray icon's menu only
};
