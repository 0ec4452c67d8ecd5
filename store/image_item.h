#pragma once

#include <memory>

#include "store/base_item.h"
#include "foundation/bitmap.h"

// A picture clip: an owned bitmap, taken from and put on the clipboard as CF_BITMAP.
class CImageItem : public CBaseItem {
 public:
  CImageItem() : CBaseItem(kPictureKind) {}

  // Copies the clipboard's CF_BITMAP into a new `picture`; the clipboard's handle is not
  // kept. False when no bitmap is delivered or it cannot be read.
  bool ReadFromClipboard(HWND ownerWindow) override;

  // Places a new device-dependent copy of `picture` as CF_BITMAP only.
  bool WriteToClipboard(HWND ownerWindow) const override;

  // The picture goes last, as a BMP file image in its own pixel format.
  bool Save(CByteWriter& writer) const override;
  void Load(CByteReader& reader) override;
  std::uint64_t MissingBytes() const override { return missingBytes_; }

  std::unique_ptr<TBitmap> picture;  // absent until captured or loaded

 private:
  std::uint64_t missingBytes_ = 0;
};
