#pragma once
// Owners of GDI and user-interface handles, guards of borrowed device state, and colours as
// GDI takes them.

#include <cstdint>

#include "platform/handles.h"
// After windows.h, which it needs.
#include <commctrl.h>

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static void Close(Handle handle) { DeleteObject(handle); }
};
using UniqueGdiObject = Unique<GdiObjectTraits>;

struct FontTraits {
  using Handle = HFONT;
  static void Close(Handle handle) { DeleteObject(handle); }
};
using UniqueFont = Unique<FontTraits>;

struct BrushTraits {
  using Handle = HBRUSH;
  static void Close(Handle handle) { DeleteObject(handle); }
};
using UniqueBrush = Unique<BrushTraits>;

struct PenTraits {
  using Handle = HPEN;
  static void Close(Handle handle) { DeleteObject(handle); }
};
using UniquePen = Unique<PenTraits>;

struct IconTraits {
  using Handle = HICON;
  static void Close(Handle handle) { DestroyIcon(handle); }
};
using UniqueIcon = Unique<IconTraits>;

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static void Close(Handle handle) { ImageList_Destroy(handle); }
};
using UniqueImageList = Unique<ImageListTraits>;

struct MenuTraits {
  using Handle = HMENU;
  static void Close(Handle handle) { DestroyMenu(handle); }
};
using UniqueMenu = Unique<MenuTraits>;

struct MemoryDcTraits {
  using Handle = HDC;
  static void Close(Handle handle) { DeleteDC(handle); }
};
// A device context of CreateCompatibleDC.
using UniqueMemoryDc = Unique<MemoryDcTraits>;

struct WindowTraits {
  using Handle = HWND;
  static void Close(Handle handle) { DestroyWindow(handle); }
};
using UniqueWindow = Unique<WindowTraits>;

// 0xRRGGBB as a COLORREF, and back.
inline COLORREF ToColorRef(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
inline std::uint32_t FromColorRef(COLORREF colour) {
  return std::uint32_t{GetRValue(colour)} << 16 | std::uint32_t{GetGValue(colour)} << 8 |
         GetBValue(colour);
}

// Selects `object` into `dc` for the guard's lifetime, then restores what was selected.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectGuard() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC get() const { return dc_; }
  const RECT& Dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// GetDC / ReleaseDC of a window's client area (the screen's for null), or with kWholeWindow
// GetWindowDC: the frame and scroll bars too.
class WindowDc {
 public:
  enum EArea { kClientArea, kWholeWindow };
  explicit WindowDc(HWND window, EArea area = kClientArea)
      : window_(window), dc_(area == kWholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};
