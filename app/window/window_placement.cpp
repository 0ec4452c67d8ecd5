#include "app/window/window_placement.h"

namespace {

bool Intersects(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

ScreenPoint DefaultWindowPosition(const ScreenRect& workArea, int width) {
  return {workArea.right - width - kDefaultRightMargin, workArea.top};
}

ScreenPoint PlaceDockedWindow(ScreenPoint saved, int width, int height,
                              std::span<const ScreenRect> monitors, const ScreenRect& savedWorkArea,
                              const ScreenRect& defaultWorkArea) {
  const ScreenRect window{saved.x, saved.y, saved.x + width, saved.y + height};
  bool visible = false;
  for (const ScreenRect& monitor : monitors) visible = visible || Intersects(window, monitor);
  if (!visible) return DefaultWindowPosition(defaultWorkArea, width);
  ScreenPoint place = saved;
  if (savedWorkArea.right < place.x + width) place.x = savedWorkArea.right - width;
  return place;
}

bool IsCursorNear(ScreenPoint cursor, const ScreenRect& window) {
  return window.left - kNearMargin < cursor.x && cursor.x < window.right + kNearMargin &&
         window.top - kNearMargin < cursor.y && cursor.y < window.bottom + kNearMargin;
}

ScreenPoint PopupPosition(ScreenPoint cursor, int width, int height, const ScreenRect& workArea) {
  ScreenPoint place;
  place.y = cursor.y + height < workArea.bottom ? cursor.y + 1 : cursor.y - height - 1;
  place.x = cursor.x + width < workArea.right ? cursor.x + 1 : cursor.x - width - 1;
  return place;
}

bool IsInDragZone(ScreenPoint point, ScreenPoint windowTopLeft, int pinLeft, int pinHeight) {
  return point.x - windowTopLeft.x < pinLeft && point.y - windowTopLeft.y < pinHeight;
}
