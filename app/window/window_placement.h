#pragma once
// Where the main window goes: its docked place at start-up, the popup beside the cursor,
// the zone around it that counts as "near", and the header zone that drags it. Screen
// coordinates in pixels; rectangles exclude their right and bottom edges, as Windows'.

#include <span>

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const ScreenRect&) const = default;
};

// Distance from the window within which the cursor keeps it opaque and unfolded.
inline constexpr int kNearMargin = 30;
// Gap between the default place and the right edge of the work area.
inline constexpr int kDefaultRightMargin = 80;

// The docked place when nothing is saved: near the upper right corner of `workArea`.
ScreenPoint DefaultWindowPosition(const ScreenRect& workArea, int width);

// The docked place at start-up. `saved` is the stored left and top edge; the window is
// `width` x `height` (its folded size). When that rectangle shows on none of `monitors`
// (its monitor was unplugged), the window goes to the default place in `defaultWorkArea`.
// Otherwise it keeps `saved`, except that a window past the right edge of
// `savedWorkArea` (the work area of the monitor it is on) moves left to sit flush with it.
ScreenPoint PlaceDockedWindow(ScreenPoint saved, int width, int height,
                              std::span<const ScreenRect> monitors, const ScreenRect& savedWorkArea,
                              const ScreenRect& defaultWorkArea);

// True when `cursor` lies strictly within kNearMargin pixels of `window`, on every side.
bool IsCursorNear(ScreenPoint cursor, const ScreenRect& window);

// The popup's top left corner: one pixel right of and below the cursor, or left of and
// above it where the popup would reach the right or bottom edge of `workArea` (the work
// area of the monitor under the cursor).
ScreenPoint PopupPosition(ScreenPoint cursor, int width, int height, const ScreenRect& workArea);

// True when `point` lies in the header zone that drags the window: left of the pin button
// (`pinLeft`, relative to the window) and above its lower edge (`pinHeight`).
bool IsInDragZone(ScreenPoint point, ScreenPoint windowTopLeft, int pinLeft, int pinHeight);
