#pragma once
// A pixel of a window's vertical scroll bar painted a colour no scroll bar has, to tell
// afterwards whether the scroll bar was drawn again meanwhile.

#include "platform/windows_api.h"

class CScrollBarMark {
 public:
  // False when the window shows no vertical scroll bar or the pixel could not be set.
  bool Mark(HWND window);
  bool StillMarked() const;

 private:
  static constexpr COLORREF kMark = RGB(255, 0, 255);
  HWND window_ = nullptr;
  POINT mark_{};  // in window coordinates
};
