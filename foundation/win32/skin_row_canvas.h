#pragma once
// CSkinRowCanvas (Win32): where a tree row on the skin is composed before it reaches the
// screen. It owns a 24-bit row bitmap, one row high and as wide as the row, in a memory DC
// of its own, and the skin's bitmap in another. A row is made by stretching one of the
// skin's bands over the row bitmap, drawing on that through Dc(), and copying the whole row
// to the tree in one step, so that a row never shows half drawn.

#include "foundation/bitmap.h"
#include "platform/win32/gdi.h"

class CSkinRowCanvas {
 public:
  // `skin` is copied into a bitmap of its own (it need not outlive the canvas); rows are
  // `rowHeight` pixels high. The row bitmap is made by the first SizeTo. Usable() says
  // whether the system gave the device contexts.
  CSkinRowCanvas(const TBitmap& skin, int rowHeight);
  CSkinRowCanvas(const CSkinRowCanvas&) = delete;
  CSkinRowCanvas& operator=(const CSkinRowCanvas&) = delete;

  bool Usable() const { return rowDc_ && skinDc_; }

  // Makes the row bitmap `width` pixels wide; the one there is kept when it already is.
  // False, with the bitmap as it was, when the system refuses a new one.
  bool SizeTo(int width);

  int Width() const { return width_; }
  int RowHeight() const { return rowHeight_; }
  // The row bitmap's DC, to draw the row on. Its text is drawn on a transparent background
  // and its stretching drops rows and columns (COLORONCOLOR).
  HDC Dc() const { return rowDc_.get(); }

  // Stretches the skin's band `band` (kSkinBandRows pixel rows) over the whole row. An
  // empty skin leaves the row as it was.
  void DrawSkinBand(int band);

  // Copies the row to `row` of `target`: as it is when `row` is RowHeight() high, else
  // stretched to its height. `row` is as wide as the canvas was last sized.
  void CopyTo(HDC target, const RECT& row) const;

 private:
  int rowHeight_;
  int width_ = 0;
  int skinWidth_;
  // Bitmaps before the device contexts that hold them: the contexts go first.
  UniqueBitmap rowBitmap_;
  UniqueBitmap skinBitmap_;
  UniqueMemoryDc rowDc_;
  UniqueMemoryDc skinDc_;
};
