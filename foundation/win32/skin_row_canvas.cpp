#include "foundation/win32/skin_row_canvas.h"

#include <utility>

#include "foundation/skin_image.h"
#include "platform/dib_info.h"

CSkinRowCanvas::CSkinRowCanvas(const TBitmap& skin, int rowHeight)
    : rowHeight_(rowHeight),
      skinWidth_(skin.Width()),
      skinBitmap_(skin.CreateHandle()),
      rowDc_(CreateCompatibleDC(nullptr)),
      skinDc_(CreateCompatibleDC(nullptr)) {
  if (!Usable()) return;
  if (skinBitmap_) SelectObject(skinDc_.get(), skinBitmap_.get());
  SetBkMode(rowDc_.get(), TRANSPARENT);
  SetStretchBltMode(rowDc_.get(), COLORONCOLOR);
}

bool CSkinRowCanvas::SizeTo(int width) {
  if (width == width_ && rowBitmap_) return true;
  if (!rowDc_) return false;
  const BITMAPINFO info = TopDownDibInfo(width, rowHeight_, 24);
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(rowDc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return false;
  SelectObject(rowDc_.get(), bitmap.get());
  rowBitmap_ = std::move(bitmap);  // the old one is no longer selected, so it can go
  width_ = width;
  return true;
}

void CSkinRowCanvas::DrawSkinBand(int band) {
  StretchBlt(rowDc_.get(), 0, 0, width_, rowHeight_, skinDc_.get(), 0, kSkinBandRows * band,
             skinWidth_, kSkinBandRows, SRCCOPY);
}

void CSkinRowCanvas::CopyTo(HDC target, const RECT& row) const {
  const int width = row.right - row.left;
  const int height = row.bottom - row.top;
  if (height == rowHeight_) {
    BitBlt(target, row.left, row.top, width, rowHeight_, rowDc_.get(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, row.left, row.top, width, height, rowDc_.get(), 0, 0, width, rowHeight_,
               SRCCOPY);
  }
}
