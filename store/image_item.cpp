#include "store/image_item.h"

#include "foundation/day_count.h"
#include "platform/handles.h"
#include "store/clipboard_blocks.h"
#include "store/clipboard_privacy.h"
#include "store/data_file_format.h"
#include "store/record_error.h"

namespace {

UINT PngFormat() {
  return RegisteredFormat(u"PNG");
}

// A packed DIB or PNG image is at most the largest picture's pixels and some headers.
constexpr std::size_t kMaxPictureBlockBytes = TBitmap::kMaxPixelBytes + (std::size_t{1} << 20);

std::optional<TBitmap> PictureFromPng() {
  const UINT png = PngFormat();
  if (png == 0 || !IsClipboardFormatAvailable(png)) return std::nullopt;
  const auto bytes = ReadClipboardBlock(png, kMaxPictureBlockBytes);
  return bytes ? TBitmap::FromPng(*bytes) : std::nullopt;
}

std::optional<TBitmap> PictureFromDib(UINT format) {
  if (!IsClipboardFormatAvailable(format)) return std::nullopt;
  const auto bytes = ReadClipboardBlock(format, kMaxPictureBlockBytes);
  return bytes ? TBitmap::FromPackedDib(*bytes) : std::nullopt;
}

std::optional<TBitmap> PictureFromBitmap() {
  if (!IsClipboardFormatAvailable(CF_BITMAP)) return std::nullopt;
  auto handle = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  TBitmap picture;
  if (handle == nullptr || !picture.AssignFromHandle(handle)) return std::nullopt;
  return picture;
}

// The clipboard's picture, which the caller has open, in the order ReadFromClipboard names.
std::optional<TBitmap> ReadOpenClipboardPicture() {
  if (auto picture = PictureFromPng()) return picture;
  std::optional<TBitmap> version5 = PictureFromDib(CF_DIBV5);
  if (version5 && version5->HasAlpha()) return version5;
  if (auto picture = PictureFromBitmap()) return picture;
  if (auto picture = PictureFromDib(CF_DIB)) return picture;
  return version5;
}

}  // namespace

bool CImageItem::IsOffered() {
  const UINT png = PngFormat();
  return IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB) ||
         IsClipboardFormatAvailable(CF_DIBV5) || (png != 0 && IsClipboardFormatAvailable(png));
}

bool CImageItem::ReadFromClipboard(HWND ownerWindow) {
  if (!IsOffered()) return false;
  ClipboardOpen clipboard(ownerWindow, kCapturePatience);
  if (!clipboard.IsOpen() || OpenClipboardContentIsPrivate()) return false;
  clipboardSequence = GetClipboardSequenceNumber();
  std::optional<TBitmap> read = ReadOpenClipboardPicture();
  if (!read || read->Empty()) return false;
  clipboard.Close();
  picture = std::make_unique<TBitmap>(std::move(*read));
  created = CurrentDayCount();
  textLength = 0;
  return true;
}

bool CImageItem::WriteToClipboard(HWND ownerWindow) const {
  // The copies are made before the clipboard is opened and emptied, so that a failure
  // leaves the content there intact.
  if (!picture) return false;
  UniqueBitmap copy = picture->CreateHandle();
  if (!copy) return false;
  // Programs that know transparency read it from these; CF_BITMAP has no alpha.
  UniqueGlobal version5;
  UniqueGlobal png;
  if (picture->HasAlpha()) {
    version5 = NewClipboardBlock(picture->ToPackedDibV5());
    const std::vector<std::uint8_t> encoded = picture->ToPng();
    if (!encoded.empty()) png = NewClipboardBlock(encoded);
  }
  ClipboardOpen clipboard(ownerWindow);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, copy.get()) == nullptr) return false;
  copy.release();  // the clipboard owns it now
  if (version5 && SetClipboardData(CF_DIBV5, version5.get()) != nullptr) version5.release();
  if (png && SetClipboardData(PngFormat(), png.get()) != nullptr) png.release();
  return true;
}

bool CImageItem::Save(CByteWriter& writer) const {
  if (!picture || picture->Empty()) return false;
  writer.WriteInt32(kPictureRecord);
  writer.WriteInt32(0);  // the picture's length is in its own header
  SaveCommonFields(writer);
  picture->WriteBmp(writer);
  if (picture->HasAlpha()) {
    writer.WriteInt32(kAlphaRecord);
    writer.WriteInt32(4);
    writer.WriteUInt32(kAlphaFlag);
  }
  return true;
}

void CImageItem::Load(CByteReader& reader) {
  LoadCommonFields(reader);
  picture = std::make_unique<TBitmap>(TBitmap::ReadBmp(reader, &missingBytes_));
  textLength = 0;
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
