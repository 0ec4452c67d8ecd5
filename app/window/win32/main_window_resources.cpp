#include "app/window/win32/main_window_resources.h"

#include "app/window/win32/greyed_icon.h"
#include "app/window/window_metrics.h"
#include "dialogs/win32/category_icons.h"
#include "platform/win32/dpi.h"

namespace {

// The notification area is the taskbar's, on the primary monitor (which holds the point
// 0, 0), whatever the monitor of the window.
int TrayDpi() {
  return DpiAtPoint(POINT{0, 0});
}

}  // namespace

CMainWindowResources::CMainWindowResources(int dpi) {
  const MainWindowMetrics metrics = MainWindowMetricsAt(dpi);
  formFont_ = MakeFont(L"Tahoma", metrics.formFontHeight, kDesignDpi);
  treeFont_ = MakeFont(L"Tahoma", metrics.treeFontHeight, kDesignDpi);
  categoriesIcons_ = LoadCategoriesIcons(metrics.iconSide);
  moreIcons_ = LoadMoreIcons(metrics.iconSide);
}

HICON CMainWindowResources::TrayImage() {
  const int side = SmallIconSide(TrayDpi());
  trayImage_.reset(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"MAIN_ICON", IMAGE_ICON, side, side, 0)));
  if (!trayImage_) return LoadIconW(nullptr, IDI_APPLICATION);
  return trayImage_.get();
}

HICON CMainWindowResources::PausedTrayImage() {
  HICON image = TrayImage();
  pausedTrayImage_ = MakeGreyedIcon(image);
  return pausedTrayImage_ ? pausedTrayImage_.get() : image;
}
