#include "store/image_item.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "foundation/byte_writer.h"
#include "foundation/day_count.h"
#include "foundation/utf8_text.h"
#include "platform/handles.h"
#include "store/clipboard_blocks.h"
#include "store/clipboard_privacy.h"

namespace {

UINT PngFormat() {
  return RegisteredFormat(u"PNG");
}

// BITMAPFILEHEADER: what a BMP file image has before the packed DIB that the clipboard holds.
constexpr std::size_t kBmpFileHeaderBytes = 14;

// Programs that know transparency read it from these; CF_BITMAP and CF_DIB have no alpha.
std::vector<CClipBlock> AlphaBlocks(const TBitmap& picture) {
  std::vector<CClipBlock> blocks;
  if (!picture.HasAlpha()) return blocks;
  blocks.push_back({CF_DIBV5, picture.ToPackedDibV5()});
  std::vector<std::uint8_t> png = picture.ToPng();
  if (const UINT format = PngFormat(); format != 0 && !png.empty()) {
    blocks.push_back({format, std::move(png)});
  }
  return blocks;
}

// A packed DIB or PNG image is at most the largest picture's pixels and some headers.
constexpr std::size_t kMaxPictureBlockBytes = TBitmap::kMaxPixelBytes + (std::size_t{1} << 20);

// A picture's size, when it is beyond what the program keeps, to be told in a refusal.
struct COversizedPicture {
  int width = 0;
  int height = 0;
};

// Whether a picture of `size` is kept; when it is not, `oversized` says how large it is.
bool KeptAtItsSize(std::optional<TBitmap::Size> size, std::optional<COversizedPicture>* oversized) {
  if (!size || TBitmap::FitsAt32Bits(size->width, size->height)) return true;
  *oversized = COversizedPicture{size->width, size->height};
  return false;
}

std::optional<TBitmap> PictureFromPng(std::optional<COversizedPicture>* oversized) {
  const UINT png = PngFormat();
  if (png == 0 || !IsClipboardFormatAvailable(png)) return std::nullopt;
  HANDLE data = GetClipboardData(png);
  if (data == nullptr) return std::nullopt;
  GlobalLockGuard lock(data);
  if (lock.data() == nullptr) return std::nullopt;
  const std::span image(static_cast<const std::uint8_t*>(lock.data()), lock.size());
  // Measured by its header, as the decoder would refuse it, but to be told.
  if (!KeptAtItsSize(TBitmap::SizeOfPng(image), oversized)) return std::nullopt;
  if (image.size() > kMaxPictureBlockBytes) return std::nullopt;
  return TBitmap::FromPng(image);
}

std::optional<TBitmap> PictureFromDib(UINT format, std::optional<COversizedPicture>* oversized) {
  if (!IsClipboardFormatAvailable(format)) return std::nullopt;
  HANDLE data = GetClipboardData(format);
  if (data == nullptr) return std::nullopt;
  GlobalLockGuard lock(data);
  if (lock.data() == nullptr) return std::nullopt;
  const std::span dib(static_cast<const std::uint8_t*>(lock.data()), lock.size());
  // Measured by its header before anything is copied: a picture of few bits a pixel takes
  // little room on the clipboard but 32 bits a pixel once taken.
  if (!KeptAtItsSize(TBitmap::SizeOfPackedDib(dib), oversized)) return std::nullopt;
  if (dib.size() > kMaxPictureBlockBytes) return std::nullopt;
  return TBitmap::FromPackedDib(dib);
}

std::optional<TBitmap> PictureFromBitmap(std::optional<COversizedPicture>* oversized) {
  if (!IsClipboardFormatAvailable(CF_BITMAP)) return std::nullopt;
  auto handle = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (handle == nullptr) return std::nullopt;
  // AssignFromHandle refuses it too, but without a word.
  BITMAP description{};
  if (GetObject(handle, sizeof description, &description) != 0 &&
      !KeptAtItsSize(
          TBitmap::Size{description.bmWidth,
                        description.bmHeight < 0 ? -description.bmHeight : description.bmHeight},
          oversized)) {
    return std::nullopt;
  }
  TBitmap picture;
  if (!picture.AssignFromHandle(handle)) return std::nullopt;
  return picture;
}

// The clipboard's picture, which the caller has open, in the order ReadFromClipboard names.
std::optional<TBitmap> ReadOpenClipboardPicture(std::optional<COversizedPicture>* oversized) {
  if (auto picture = PictureFromPng(oversized)) return picture;
  // Every other form is the same picture: a bitmap made of it would be as large.
  if (*oversized) return std::nullopt;
  std::optional<TBitmap> version5 = PictureFromDib(CF_DIBV5, oversized);
  if (version5 && version5->HasAlpha()) return version5;
  // Every other form is the same picture: a bitmap made of it would be as large.
  if (*oversized) return std::nullopt;
  if (auto picture = PictureFromBitmap(oversized)) return picture;
  if (*oversized) return std::nullopt;
  if (auto picture = PictureFromDib(CF_DIB, oversized)) return picture;
  return version5;
}

std::u16string OversizedPictureRefusal(const COversizedPicture& size) {
  return Utf16FromUtf8("Picture too large to keep (" + std::to_string(size.width) + " x " +
                       std::to_string(size.height) + " pixels)");
}

}  // namespace

bool CImageItem::IsOffered(const CClipboardFormatSet& offered) {
  const UINT png = PngFormat();
  return offered.Has(CF_BITMAP) || offered.Has(CF_DIB) || offered.Has(CF_DIBV5) ||
         (png != 0 && offered.Has(png));
}

bool CImageItem::ReadFromClipboard(HWND ownerWindow) {
  ClipboardOpen clipboard(ownerWindow, kCapturePatience);
  if (!clipboard.IsOpen()) return false;
  const CClipboardFormatSet offered = CClipboardFormatSet::Now();
  if (!IsOffered(offered) || OpenClipboardContentIsPrivate(offered)) return false;
  clipboardSequence = GetClipboardSequenceNumber();
  std::optional<COversizedPicture> oversized;
  std::optional<TBitmap> read = ReadOpenClipboardPicture(&oversized);
  if (!read && oversized) return Refuse(OversizedPictureRefusal(*oversized));
  if (!read || read->Empty()) return false;
  clipboard.Close();
  SetPicture(std::move(*read));
  RequestPng();
  created = CurrentDayCount();
  textLength = 0;
  return true;
}

bool CImageItem::WriteToClipboard(HWND ownerWindow) const {
  // The copies are made before the clipboard is opened and emptied, so that a failure
  // leaves the content there intact.
  const std::shared_ptr<const TBitmap> picture = Picture();
  if (!picture) return false;
  UniqueBitmap copy = picture->CreateHandle();
  if (!copy) return false;
  std::vector<std::pair<UINT, UniqueGlobal>> extra = NewClipboardBlocks(AlphaBlocks(*picture));
  ClipboardOpen clipboard(ownerWindow);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, copy.get()) == nullptr) return false;
  copy.release();  // the clipboard owns it now
  for (auto& [format, block] : extra) {
    if (SetClipboardData(format, block.get()) != nullptr) block.release();
  }
  return true;
}

std::vector<CClipBlock> CImageItem::TransferBlocks() const {
  const std::shared_ptr<const TBitmap> picture = Picture();
  if (!picture || picture->Empty()) return {};
  CByteWriter image;
  picture->WriteBmp(image);
  std::vector<std::uint8_t> dib = std::move(image.Bytes());
  dib.erase(dib.begin(), dib.begin() + kBmpFileHeaderBytes);
  std::vector<CClipBlock> blocks;
  blocks.push_back({CF_DIB, std::move(dib)});
  for (CClipBlock& block : AlphaBlocks(*picture)) blocks.push_back(std::move(block));
  return blocks;
}
