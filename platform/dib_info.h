#pragma once
// The header of a device-independent bitmap whose rows lie top row first, as TBitmap keeps
// them: what GDI needs to make, read or draw one.

#include "platform/windows_api.h"

inline BITMAPINFO TopDownDibInfo(int width, int height, int bitsPerPixel) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}
