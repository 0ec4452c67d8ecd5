// A picture clip's records in the data file: the PNG picture record that is written, the
// BMP picture record that older versions wrote, and the alpha record after the latter.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/clip_content.h"
#include "store/data_file_format.h"
#include "store/image_item.h"
#include "store/png_encoder.h"
#include "store/record_error.h"

namespace {

// categoryId, created and hotKey.
constexpr std::size_t kPictureFieldBytes = 4 + 8 + 2;

// A PNG image of the largest picture, stored without compression, is its pixels, a filter
// byte a row and the framing of its chunks and blocks: well within a megabyte more.
constexpr std::size_t kMaxStoredPngBytes = TBitmap::kMaxPixelBytes + (std::size_t{1} << 20);

std::string SizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// The size that a PNG image's header names, or CPassedPictureError naming what is wrong
// with it. Only the header is read: the pixels are decoded when they are first wanted.
TBitmap::Size CheckedPngSize(std::span<const std::uint8_t> png) {
  const std::optional<TBitmap::Size> size = TBitmap::SizeOfPng(png);
  if (!size) throw CPassedPictureError("the picture record holds no PNG image");
  // Told apart from damage: the image may be whole but larger than the program keeps.
  if (!TBitmap::FitsAt32Bits(size->width, size->height)) {
    throw CPassedPictureError("PNG image of " + SizeText(size->width, size->height) +
                              " is beyond the limits of a picture");
  }
  return *size;
}

}  // namespace

void CImageItem::SetPicture(TBitmap picture) {
  Replace(std::make_shared<TBitmap>(std::move(picture)));
}

void CImageItem::SetPicture(std::shared_ptr<TBitmap> picture) {
  Replace(std::move(picture));
}

void CImageItem::Replace(std::shared_ptr<TBitmap> picture) {
  held_ = std::move(picture);
  png_.reset();
  pending_.reset();
  colourDigest.reset();
}

std::shared_ptr<const TBitmap> CImageItem::Picture() const {
  if (held_) return held_;
  if (png_) return png_->Pixels();
  return nullptr;
}

std::shared_ptr<const TBitmap> CImageItem::DecodedPicture() const {
  if (held_) return held_;
  if (png_) return png_->PixelsIfDecoded();
  return nullptr;
}

std::optional<TBitmap::Size> CImageItem::PictureSize() const {
  if (held_) return TBitmap::Size{held_->Width(), held_->Height()};
  if (png_) return png_->Size();
  return std::nullopt;
}

bool CImageItem::HasPicture() const {
  const std::optional<TBitmap::Size> size = PictureSize();
  return size && size->width > 0 && size->height > 0;
}

std::function<std::shared_ptr<const TBitmap>()> CImageItem::PictureSource() const {
  if (held_) return [picture = std::shared_ptr<const TBitmap>(held_)] { return picture; };
  if (png_) return [image = png_] { return image->Pixels(); };
  return [] { return std::shared_ptr<const TBitmap>(); };
}

std::u16string CImageItem::Caption() const {
  if (Undecodable()) return u"Damaged picture: its image cannot be read";
  return {};
}

std::span<const std::uint8_t> CImageItem::ReadyPng() const {
  if (!HasPicture()) return {};
  if (png_) return png_->Bytes();
  if (pending_) {
    if (std::optional<std::vector<std::uint8_t>> made = pending_->Take(); made && !made->empty()) {
      KeepImageInsteadOfPixels(std::move(*made));
      return png_->Bytes();
    }
  }
  return {};
}

void CImageItem::RequestPng() const {
  if (!held_ || held_->Empty() || !ReadyPng().empty() || pending_) return;
  pending_ = EncodePngLater(held_);
}

std::span<const std::uint8_t> CImageItem::EncodedPng() const {
  if (!HasPicture()) return {};
  if (ReadyPng().empty() && held_) {
    std::vector<std::uint8_t> made = held_->ToPng();
    if (made.empty()) return {};
    KeepImageInsteadOfPixels(std::move(made));
  }
  return ReadyPng();
}

void CImageItem::KeepImageInsteadOfPixels(std::vector<std::uint8_t> png) const {
  // Its digest is made while the pixels are at hand, so that a later copy of the same
  // picture is still found without decoding it (clip_content.h).
  if (!colourDigest) colourDigest = ColourDigestOf(*held_);
  const auto image = std::make_shared<const CPngPicture>(
      std::move(png), TBitmap::Size{held_->Width(), held_->Height()});
  image->Adopt(std::move(held_));
  held_.reset();
  png_ = image;
  pending_.reset();
}

void CImageItem::AssignPng(std::vector<std::uint8_t> png) {
  TBitmap::Size size;
  try {
    size = CheckedPngSize(png);
  } catch (const CPassedPictureError& error) {
    throw CPictureError(error.what());
  }
  std::optional<TBitmap> picture = TBitmap::FromPng(png);
  if (!picture) throw CPictureError("the PNG image cannot be decoded");
  Replace(nullptr);
  png_ = std::make_shared<const CPngPicture>(std::move(png), size);
  png_->Adopt(std::make_shared<const TBitmap>(std::move(*picture)));
}

bool CImageItem::Save(CByteWriter& writer) const {
  if (!HasPicture()) return false;
  if (savedAs == EPictureRecord::kPng && SaveAsPng(writer)) return true;
  // Asked of a picture only kept as its image by tools that want the BMP record: the
  // pixels are decoded for it. One that does not decode is written as it was read.
  const std::shared_ptr<const TBitmap> picture = Picture();
  if (!picture) return SaveAsPng(writer);
  SaveAsBmp(writer, *picture);
  return true;
}

bool CImageItem::SaveAsPng(CByteWriter& writer) const {
  const std::span<const std::uint8_t> png = ReadyPng();
  if (png.empty()) RequestPng();
  // A picture not encoded yet, or that the codec cannot encode, is still kept, in the
  // record every version reads.
  if (png.empty() || png.size() > kMaxStoredPngBytes) return false;
  writer.WriteInt32(kPngPictureRecord);
  writer.WriteInt32(static_cast<std::int32_t>(kPictureFieldBytes + png.size()));
  SaveCommonFields(writer);
  writer.WriteBytes(png.data(), png.size());
  return true;
}

void CImageItem::SaveAsBmp(CByteWriter& writer, const TBitmap& picture) const {
  writer.WriteInt32(kPictureRecord);
  writer.WriteInt32(0);  // the picture's length is in its own header
  SaveCommonFields(writer);
  picture.WriteBmp(writer);
  if (picture.HasAlpha()) {
    writer.WriteInt32(kAlphaRecord);
    writer.WriteInt32(4);
    writer.WriteUInt32(kAlphaFlag);
  }
}

void CImageItem::Load(CByteReader& reader) {
  textLength = 0;
  if (recordToLoad_ == EPictureRecord::kPng) {
    LoadPngRecord(reader);
  } else {
    LoadBmpRecord(reader);
  }
}

void CImageItem::LoadBmpRecord(CByteReader& reader) {
  LoadCommonFields(reader);
  Replace(std::make_shared<TBitmap>(TBitmap::ReadBmp(reader, &missingBytes_)));
  loadedFrom_ = EPictureRecord::kBmp;
}

void CImageItem::LoadPngRecord(CByteReader& reader) {
  std::int32_t size;
  if (!reader.ReadInt32(&size)) throw CRecordError("picture record cut short");
  if (size < 0 || static_cast<std::uint64_t>(size) > reader.Remaining()) {
    throw CRecordError("picture record of size " + std::to_string(size) + " runs past the end");
  }
  const auto bodySize = static_cast<std::size_t>(size);
  if (bodySize > kPictureFieldBytes + kMaxStoredPngBytes) {
    // Passed without being read: no buffer that large is made for a picture refused anyway.
    reader.Skip(bodySize);
    throw CPassedPictureError("picture record of " + std::to_string(size) +
                              " bytes is beyond the limits of a picture");
  }
  const std::uint8_t* start = nullptr;
  if (!reader.Take(bodySize, &start)) throw CRecordError("picture record cut short");
  const std::span<const std::uint8_t> body(start, bodySize);
  CByteReader fields(body.data(), body.size());
  std::int32_t storedCategoryId;
  double storedCreated;
  std::uint16_t storedHotKey;
  if (!fields.ReadInt32(&storedCategoryId) || !fields.ReadDouble(&storedCreated) ||
      !fields.ReadUInt16(&storedHotKey)) {
    throw CPassedPictureError("picture record shorter than its fields");
  }
  const std::span<const std::uint8_t> png = body.subspan(kPictureFieldBytes);
  const TBitmap::Size pictureSize = CheckedPngSize(png);
  categoryId = storedCategoryId;
  created = storedCreated;
  hotKey = storedHotKey;
  // The image is the picture: saving the clip again writes the very bytes read.
  Replace(nullptr);
  png_ = std::make_shared<const CPngPicture>(std::vector<std::uint8_t>(png.begin(), png.end()),
                                             pictureSize);
  loadedFrom_ = EPictureRecord::kPng;
}

bool CImageItem::LoadAttached(std::int32_t recordKind, CByteReader& reader) {
  if (recordKind != kAlphaRecord) return false;
  const std::span<const std::uint8_t> body = TakeSizedRecordBody(reader, "alpha record");
  CByteReader fields(body.data(), body.size());
  std::uint32_t flags;
  if (!fields.ReadUInt32(&flags)) throw CRecordError("alpha record without its flags");
  // A picture of another depth has no fourth bytes to be opacity: the flag means nothing.
  const bool alpha = (flags & kAlphaFlag) != 0;
  if (held_) {
    held_->SetHasAlpha(alpha);  // a BMP record's pixels, not encoded yet
  } else if (png_) {
    // Never written after a PNG record: the rare file that has one pays a decode, and the
    // picture it changes is encoded anew.
    const std::shared_ptr<const TBitmap> decoded = png_->Pixels();
    if (decoded && decoded->HasAlpha() != alpha) {
      TBitmap changed = *decoded;
      if (changed.SetHasAlpha(alpha)) SetPicture(std::move(changed));
    }
  }
  return true;
}
