#pragma once
// The common-control classes the dialogs use, registered once per process. Version 6 of
// the controls comes through the executable's manifest (resources/quillery.manifest.in).

#include "platform/win32/gdi.h"

inline void EnsureCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_HOTKEY_CLASS |
                                                        ICC_UPDOWN_CLASS | ICC_TREEVIEW_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
}
