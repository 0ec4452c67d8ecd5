#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/base_item.h"
#include "store/clipboard_format_set.h"
#include "foundation/bitmap.h"
#include "store/png_picture.h"

class CPendingPng;

// A picture clip: its pixels until their PNG image is made, then that image, decoded when
// the pixels are wanted. Taken from the clipboard as a PNG image, a packed DIB or a
// CF_BITMAP, and put back as CF_BITMAP, with CF_DIBV5 and PNG beside it when it has alpha.
// The two records a picture is kept in (data_file_format.h): a BMP image (kind 2), as every
// version reads, or a PNG image (kind 6).
enum class EPictureRecord { kBmp, kPng };

class CImageItem : public CBaseItem {
 public:
  // `recordToLoad` is the record that Load reads: the kind the data file names.
  explicit CImageItem(EPictureRecord recordToLoad = EPictureRecord::kBmp)
      : CBaseItem(kPictureKind), recordToLoad_(recordToLoad) {}

  // Whether the clipboard offers a picture in a form that ReadFromClipboard takes.
  static bool IsOffered(const CClipboardFormatSet& offered);

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
  // a picture without its image asks the encoder for it (RequestPng). A picture loaded
  // from a PNG record is written back as the very bytes read, never decoded for it.
  bool Save(CByteWriter& writer) const override;
  // Reads the record named at construction. A PNG record is taken whole and only its
  // image's header is read: an image without one, or beyond TBitmap's limits, throws
  // CPassedPictureError with the reader already after the record. Its pixels are decoded
  // when first asked for (Picture()).
  void Load(CByteReader& reader) override;
  bool LoadAttached(std::int32_t recordKind, CByteReader& reader) override;
  std::uint64_t MissingBytes() const override { return missingBytes_; }

  // The picture's pixels: those captured, given or read from a BMP record, else its PNG
  // image decoded now (CPngPicture: the few last decoded stay, the others are let go when
  // their users are done). Null without a picture, and for an image that turns out not to
  // decode: the clip is kept and saved as it was read, and cannot be shown or pasted.
  std::shared_ptr<const TBitmap> Picture() const override;
  // The pixels if they are at hand (held, or decoded and still in use), never decoding.
  std::shared_ptr<const TBitmap> DecodedPicture() const;
  // The picture's size without decoding it; none without a picture.
  std::optional<TBitmap::Size> PictureSize() const;
  // Whether there is a picture of at least one pixel, decoded or not.
  bool HasPicture() const;
  // What Picture() gives, as a function that may outlive the clip: a thumbnail is made from
  // it when its row is first drawn.
  std::function<std::shared_ptr<const TBitmap>()> PictureSource() const;
  // Names a picture whose image does not decode, where it would have been shown.
  std::u16string Caption() const override;
  // True once the picture's PNG image was found not to decode.
  bool Undecodable() const { return !held_ && png_ && png_->Undecodable(); }

  // Makes `picture` the clip's pixels, as captured: its PNG image is made later
  // (RequestPng), and from then on the pixels are let go and decoded from it when wanted,
  // 24-bit unless translucent. The picture is never changed in place.
  void SetPicture(TBitmap picture);
  void SetPicture(std::shared_ptr<TBitmap> picture);

  // The picture as the PNG image that Save writes: the image it was loaded from or given
  // as (AssignPng), or made by the encoder's thread (RequestPng); kept until the picture is
  // replaced, so that no later save encodes it again. Empty without a picture, while the
  // encode is pending or when the codec failed; valid until the next call that changes
  // the clip.
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

  // The digest of the picture's colours, once HaveSameContent (clip_content.h) has made
  // it; forgotten when the picture is replaced.
  mutable std::optional<std::uint64_t> colourDigest;

  // The record Save writes. Only tools ask for the BMP record; the program keeps every
  // picture as a PNG image.
  EPictureRecord savedAs = EPictureRecord::kPng;

 private:
  void LoadBmpRecord(CByteReader& reader);
  void LoadPngRecord(CByteReader& reader);
  bool SaveAsPng(CByteWriter& writer) const;
  void SaveAsBmp(CByteWriter& writer, const TBitmap& picture) const;
  void Replace(std::shared_ptr<TBitmap> picture);
  // Makes `png`, encoded from the held pixels, the picture, and lets the pixels go.
  void KeepImageInsteadOfPixels(std::vector<std::uint8_t> png) const;

  EPictureRecord recordToLoad_;
  std::optional<EPictureRecord> loadedFrom_;
  std::uint64_t missingBytes_ = 0;
  // The pixels while they are the picture's only form: those captured or given (shared
  // with the encoder's thread while it encodes), or read from a BMP record, until their
  // PNG image is made. Null for a picture loaded from a PNG record.
  mutable std::shared_ptr<TBitmap> held_;
  // The image Save writes; for a picture loaded from a PNG record, the picture itself.
  mutable std::shared_ptr<const CPngPicture> png_;
  // The encode asked for; kept after a failed encode so that it is not asked for again.
  mutable std::shared_ptr<CPendingPng> pending_;
};
