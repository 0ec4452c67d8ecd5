#pragma once
// CMainWindowResources: what the main window and its controls draw with at one dpi (the
// header's and the tree's fonts, the category and clip icons) and the tray icon's image at
// the notification area's size. A change of dpi makes a new set; the controls keep using
// the old one until they have been given the new.

#include "platform/win32/gdi.h"

class CMainWindowResources {
 public:
  // Fonts and image lists are null where the system refuses them; the controls then use
  // their defaults and rows go without icons.
  explicit CMainWindowResources(int dpi);

  HFONT FormFont() const { return formFont_.get(); }
  HFONT TreeFont() const { return treeFont_.get(); }
  HIMAGELIST CategoriesIcons() const { return categoriesIcons_.get(); }
  HIMAGELIST MoreIcons() const { return moreIcons_.get(); }

  // The application icon at the notification area's small-icon size, owned by this set (the
  // system's own application icon when it cannot be loaded). Loaded anew at each call.
  HICON TrayImage();
  // The same image greyed, for a program that has paused capture, owned by this set (the
  // image as TrayImage gives it when it cannot be greyed). Drawn anew at each call.
  HICON PausedTrayImage();

 private:
  UniqueFont formFont_;
  UniqueFont treeFont_;
  UniqueImageList categoriesIcons_;
  UniqueImageList moreIcons_;
  UniqueIcon trayImage_;
  UniqueIcon pausedTrayImage_;
};
