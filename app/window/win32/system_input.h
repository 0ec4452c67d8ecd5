#pragma once
// What the main window reads of the desktop: the cursor, the monitors and their work
// areas.

#include <cstdint>
#include <optional>
#include <vector>

#include "app/window/window_placement.h"

ScreenPoint CursorPosition();
// The tick count of the last keyboard or mouse input on the desktop; none when the system
// does not tell.
std::optional<std::uint32_t> LastInputTime();
// The work area (the monitor without the taskbar) of the monitor under `point`, or of the
// nearest one.
ScreenRect WorkAreaAt(ScreenPoint point);
// The work area of the monitor that `rect` lies most on, or of the nearest one.
ScreenRect WorkAreaOf(const ScreenRect& rect);
// Every monitor's rectangle.
std::vector<ScreenRect> MonitorRects();
