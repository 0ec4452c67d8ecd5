#include "app/window/win32/system_input.h"

#include "platform/windows_api.h"

namespace {

ScreenRect FromRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

ScreenRect WorkAreaOfMonitor(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) return FromRect(info.rcWork);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return FromRect(work);
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(FromRect(*rect));
  return TRUE;
}

}  // namespace

ScreenPoint CursorPosition() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

std::optional<std::uint32_t> LastInputTime() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof info;
  if (!GetLastInputInfo(&info)) return std::nullopt;
  return info.dwTime;
}

ScreenRect WorkAreaAt(ScreenPoint point) {
  return WorkAreaOfMonitor(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST));
}

ScreenRect WorkAreaOf(const ScreenRect& rect) {
  const RECT area{rect.left, rect.top, rect.right, rect.bottom};
  return WorkAreaOfMonitor(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
}

std::vector<ScreenRect> MonitorRects() {
  std::vector<ScreenRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}
