#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "store/base_item.h"
#include "foundation/bitmap.h"

class CPendingPng;

// A picture clip: an owned bitmap, taken from the clipboard as a PNG image, a packed DIB or
// a CF_BITMAP, and put back as CF_BITMAP, with CF_DIBV5 and PNG beside it when it has alpha.
// The two records a picture is kept in (data_file_format.h): a BMP image (kind 2), as every
// version reads, or a PNG image (kind 6).
enum class EPictureRecord { kBmp, kPng };

class CImageItem : public CBaseItem {
 public:
  // `recordToLoad` is the record that Load reads: the kind the data file names.
  explicit CImageItem(EPictureRecord recordToLoad = EPictureRecord::kBmp)
      : CBaseItem(kPictureKind), recordToLoad_(recordToLoad) {}

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
  // The picture as a packed CF_DIB in its own format (its BMP image without the file
  // header); with alpha, CF_DIBV5 and "PNG" beside it as on the clipboard.
  std::vector<CClipBlock> TransferBlocks() const override;

  // As `savedAs` says: a PNG picture record holding ReadyPng(), or (also while that is
  // being made, or when it cannot be) a BMP picture record, the picture in its own pixel
  // format, followed by an alpha record when its fourth bytes are opacity. Never encodes:
  // a picture without its image asks the encoder for it (RequestPng).

  bool Save(CByteWriter& writer) const override;
  // Reads the record named at construction. A PNG record is taken whole before its image
  // is looked at: an image that cannot be decoded, or is beyond TBitmap's limits, throws
  // CPassedPictureError with the reader already after the record.
  void Load(CByteReader& reader) override;
  bool LoadAttached(std::int32_t recordKind, CByteReader& reader) override;
  std::uint64_t MissingBytes() const override { return missingBytes_; }
  const TBitmap* Picture() const override { return picture.get(); }

  // The picture as the PNG image that Save writes: the image it was loaded from or given
  // as (AssignPng), or made by the encoder's thread (RequestPng); kept while `picture` is
  // the same object of the same size and alpha, so that no later save encodes it again. A
  // picture is changed by giving `picture` a new TBitmap, never in place. Empty without a
  // picture, while the encode is pending or when the codec failed; valid until the next
  // call that changes the clip.
  std::span<const std::uint8_t> ReadyPng() const;
  // Asks the encoder's thread for the picture's PNG image unless it is ready or asked for
  // already. A picture the codec failed on is not asked for again.
  void RequestPng() const;
  // ReadyPng, or else the image encoded here and now, for tools that wait for it.
  std::span<const std::uint8_t> EncodedPng() const;

  // Makes the PNG image the clip's picture, decoded within TBitmap's limits, and keeps
  // its bytes as the image that Save writes. Throws CPictureError, with the clip
  // unchanged, when it cannot be decoded or is beyond the limits.
  void AssignPng(std::vector<std::uint8_t> png);

  // The record the clip was read from, for tools that tell; none for a picture captured
  // or made here.
  std::optional<EPictureRecord> LoadedFrom() const { return loadedFrom_; }

  // Absent until captured or loaded; shared with the encoder's thread while it encodes.
  std::shared_ptr<TBitmap> picture;
  // The record Save writes. Only tools ask for the BMP record; the program keeps every
  // picture as a PNG image.
  EPictureRecord savedAs = EPictureRecord::kPng;

 private:
  void LoadBmpRecord(CByteReader& reader);
  void LoadPngRecord(CByteReader& reader);
  bool SaveAsPng(CByteWriter& writer) const;
  void SaveAsBmp(CByteWriter& writer) const;

  // What the kept PNG image was made of: it is the picture's while these still hold.
  struct CEncodedPicture {
    // Not a bare address: a picture made after this one was freed may be given it.
    std::weak_ptr<const TBitmap> picture;
    int width = 0;
    int height = 0;
    bool alpha = false;
    bool operator==(const CEncodedPicture& other) const {
      return !picture.owner_before(other.picture) && !other.picture.owner_before(picture) &&
             width == other.width && height == other.height && alpha == other.alpha;
    }
  };
  CEncodedPicture Current() const;

  EPictureRecord recordToLoad_;
  std::optional<EPictureRecord> loadedFrom_;
  std::uint64_t missingBytes_ = 0;
  mutable std::vector<std::uint8_t> png_;
  mutable CEncodedPicture pngOf_;
  // The encode asked for, of the picture `pendingOf_` names; kept after a failed encode
  // so that it is not asked for again.
  mutable std::shared_ptr<CPendingPng> pending_;
  mutable CEncodedPicture pendingOf_;
};
