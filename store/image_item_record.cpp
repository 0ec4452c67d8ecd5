// A picture clip's records in the data file: the PNG picture record that is written, the
// BMP picture record that older versions wrote, and the alpha record after the latter.

#include <string>

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

// The picture of a PNG image, or CPassedPictureError naming what is wrong with it.
TBitmap DecodeStoredPng(std::span<const std::uint8_t> png) {
  const std::optional<TBitmap::Size> size = TBitmap::SizeOfPng(png);
  if (!size) throw CPassedPictureError("the picture record holds no PNG image");
  // Told apart from damage: the image may be whole but larger than the program keeps.
  if (!TBitmap::FitsAt32Bits(size->width, size->height)) {
    throw CPassedPictureError("PNG image of " + SizeText(size->width, size->height) +
                              " is beyond the limits of a picture");
  }
  std::optional<TBitmap> picture = TBitmap::FromPng(png);
  if (!picture) throw CPassedPictureError("the PNG image cannot be decoded");
  return std::move(*picture);
}

}  // namespace

CImageItem::CEncodedPicture CImageItem::Current() const {
  if (!picture) return {};
  return {picture, picture->Width(), picture->Height(), picture->HasAlpha()};
}

std::span<const std::uint8_t> CImageItem::ReadyPng() const {
  if (!picture || picture->Empty()) return {};
  const CEncodedPicture current = Current();
  if (!png_.empty() && pngOf_ == current) return png_;
  if (pending_ && pendingOf_ == current) {
    if (std::optional<std::vector<std::uint8_t>> made = pending_->Take(); made && !made->empty()) {
      png_ = std::move(*made);
      pngOf_ = current;
      pending_.reset();
      return png_;
    }
  }
  return {};
}

void CImageItem::RequestPng() const {
  if (!picture || picture->Empty() || !ReadyPng().empty()) return;
  if (pending_ && pendingOf_ == Current()) return;
  pending_ = EncodePngLater(picture);
  pendingOf_ = Current();
}

std::span<const std::uint8_t> CImageItem::EncodedPng() const {
  if (!picture || picture->Empty()) return {};
  if (ReadyPng().empty()) {
    png_ = picture->ToPng();
    pngOf_ = Current();
  }
  return png_;
}

void CImageItem::AssignPng(std::vector<std::uint8_t> png) {
  try {
    picture = std::make_unique<TBitmap>(DecodeStoredPng(png));
  } catch (const CPassedPictureError& error) {
    throw CPictureError(error.what());
  }
  png_ = std::move(png);
  pngOf_ = Current();
}

bool CImageItem::Save(CByteWriter& writer) const {
  if (!picture || picture->Empty()) return false;
  if (savedAs == EPictureRecord::kPng && SaveAsPng(writer)) return true;
  SaveAsBmp(writer);
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

void CImageItem::SaveAsBmp(CByteWriter& writer) const {
  writer.WriteInt32(kPictureRecord);
  writer.WriteInt32(0);  // the picture's length is in its own header
  SaveCommonFields(writer);
  picture->WriteBmp(writer);
  if (picture->HasAlpha()) {
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
  picture = std::make_unique<TBitmap>(TBitmap::ReadBmp(reader, &missingBytes_));
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
  picture = std::make_unique<TBitmap>(DecodeStoredPng(png));
  categoryId = storedCategoryId;
  created = storedCreated;
  hotKey = storedHotKey;
  // Kept, so that saving the clip again writes the very bytes read, without encoding.
  png_.assign(png.begin(), png.end());
  pngOf_ = Current();
  loadedFrom_ = EPictureRecord::kPng;
}

bool CImageItem::LoadAttached(std::int32_t recordKind, CByteReader& reader) {
  if (recordKind != kAlphaRecord) return false;
  const std::span<const std::uint8_t> body = TakeSizedRecordBody(reader, "alpha record");
  CByteReader fields(body.data(), body.size());
  std::uint32_t flags;
  if (!fields.ReadUInt32(&flags)) throw CRecordError("alpha record without its flags");
  // A picture of another depth has no fourth bytes to be opacity: the flag means nothing.
  if (picture) picture->SetHasAlpha((flags & kAlphaFlag) != 0);
  return true;
}
