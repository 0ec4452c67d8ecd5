#include "tests/support/scroll_bar_mark.h"

namespace {

// The DC of the whole window, frame included.
class CWholeWindowDc {
 public:
  explicit CWholeWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~CWholeWindowDc() { ReleaseDC(window_, dc_); }
  CWholeWindowDc(const CWholeWindowDc&) = delete;
  CWholeWindowDc& operator=(const CWholeWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace

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
  const CWholeWindowDc dc(window);
  SetPixel(dc.get(), mark_.x, mark_.y, kMark);
  return GetPixel(dc.get(), mark_.x, mark_.y) == kMark;
}

bool CScrollBarMark::StillMarked() const {
  const CWholeWindowDc dc(window_);
  return GetPixel(dc.get(), mark_.x, mark_.y) == kMark;
}
