#include "tests/support/scroll_bar_mark.h"

#include "platform/win32/gdi.h"

bool CScrollBarMark::Mark(HWND window) {
  window_ = window;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(window, OBJID_VSCROLL, &info) ||
      (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0) {
    return false;
  }
  RECT bounds{};
  GetWindowRect(window, &bounds);
  mark_ = {(info.rcScrollBar.left + info.rcScrollBar.right) / 2 - bounds.left,
           (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2 - bounds.top};
  const WindowDc dc(window, WindowDc::kWholeWindow);
  SetPixel(dc.get(), mark_.x, mark_.y, kMark);
  return GetPixel(dc.get(), mark_.x, mark_.y) == kMark;
}

bool CScrollBarMark::StillMarked() const {
  const WindowDc dc(window_, WindowDc::kWholeWindow);
  return GetPixel(dc.get(), mark_.x, mark_.y) == kMark;
}
