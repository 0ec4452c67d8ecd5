#pragma once

#include <memory>

#include "store/base_item.h"
#include "foundation/bitmap.h"

// A picture clip: an owned bitmap, taken from the clipboard as a PNG image, a packed DIB or
// a CF_BITMAP, and put back as CF_BITMAP, with CF_DIBV5 and PNG beside it when it has alpha.
class CImageItem : public CBaseItem {
 public:
  CImageItem() : CBaseItem(kPictureKind) {}

  // Whether the clipboard offers a picture in a form that ReadFromClipboard takes.
  static bool IsOffered();

  // Copies the clipboard's picture into a new `picture`; no handle of the clipboard is
  // kept. A "PNG" image is taken first (it keeps transparency), then a CF_DIBV5 with alpha,
  // then CF_BITMAP, then CF_DIB or CF_DIBV5 as they are. False when none of them is
  // delivered or can be read; refused (Refusal()) when the picture held at 32 bits a pixel
  // would be beyond TBitmap's limits, whatever depth it comes in.
  bool ReadFromClipboard(HWND ownerWindow) override;

  // Places a new device-dependent copy of `picture` as CF_BITMAP; a picture with alpha
  // also as CF_DIBV5 and "PNG", which keep it.
  bool WriteToClipboard(HWND ownerWindow) const override;

  // The picture goes last, as a BMP file image in its own pixel format, followed by an
  // alpha record when its fourth bytes are opacity.
  bool Save(CByteWriter& writer) const override;
  void Load(CByteReader& reader) override;
  bool LoadAttached(std::int32_t recordKind, CByteReader& reader) override;
  std::uint64_t MissingBytes() const override { return missingBytes_; }
  const TBitmap* Picture() const override { return picture.get(); }

  std::unique_ptr<TBitmap> picture;  // absent until captured or loaded

 private:
  std::uint64_t missingBytes_ = 0;
};
