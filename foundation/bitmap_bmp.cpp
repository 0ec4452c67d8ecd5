// BMP file images, the form in which pictures are stored. All fields little-endian:
//
//   file header   14 bytes   "BM", total size, two reserved zeros, offset of the pixels.
//                            Size and offset are not used: a picture record holds the
//                            image inline and the reader works out where the pixels are.
//   info header   12 bytes   the old core header: uint16 width, height, planes, bit count;
//              or 40 bytes   BITMAPINFOHEADER: width, height (negative = rows top-down),
//                            planes, bit count, compression, image size, two resolutions,
//                            colours used, colours important;
//              or 52, 56, 108, 124 bytes: the same 40 followed by the red, green and blue
//                            masks and more that a picture does not need.
//   colour masks  12 bytes   red, green, blue; only after a 40-byte header, compression 3.
//   colour table             colours-used entries, or 2^depth for depths of 8 and below when
//                            that is 0; blue, green, red and a reserved byte (no reserved
//                            byte after a core header).
//   pixel bytes              rows padded to 4 bytes, bottom-up unless the height is negative:
//                            stride x rows bytes, or the image-size field under compression 3
//                            when it is not 0; never more than the data holds.

#include "foundation/bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/picture_error.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaskBytes = 12;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionMasks = 3;

bool IsInfoHeaderSize(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Reads from one image; every failure becomes a CPictureError that names the image's offset.
class CBmpSource {
 public:
  explicit CBmpSource(CByteReader& reader) : reader_(reader), start_(reader.Position()) {}

  [[noreturn]] void Fail(const std::string& what) const {
    throw CPictureError(what + " (BMP image at offset " + std::to_string(start_) + ")");
  }

  std::uint64_t Remaining() const { return reader_.Remaining(); }

  const std::uint8_t* Take(std::size_t count) {
    const std::uint8_t* bytes;
    if (!reader_.Take(count, &bytes)) Fail("picture cut short");
    return bytes;
  }
  std::uint16_t UInt16() {
    std::uint16_t value;
    if (!reader_.ReadUInt16(&value)) Fail("picture cut short");
    return value;
  }
  std::uint32_t UInt32() {
    std::uint32_t value;
    if (!reader_.ReadUInt32(&value)) Fail("picture cut short");
    return value;
  }
  std::int32_t Int32() { return static_cast<std::int32_t>(UInt32()); }

 private:
  CByteReader& reader_;
  std::uint64_t start_;
};

// The info header reduced to what a picture needs. Width and height are 64-bit so that any
// 32-bit value, even INT32_MIN, can be negated and compared without overflow.
struct BmpInfo {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = kCompressionNone;
  std::uint32_t imageSize = 0;
  std::uint32_t coloursUsed = 0;
  TBitmap::ColorMasks masks;  // only from the longer headers
};

void ReadFileHeader(CBmpSource& in) {
  if (in.Remaining() < 2) in.Fail("not a BMP image");
  const std::uint8_t* magic = in.Take(2);
  if (magic[0] != 'B' || magic[1] != 'M') in.Fail("not a BMP image");
  in.Take(kFileHeaderSize - 2);
}

BmpInfo ReadInfoHeader(CBmpSource& in) {
  BmpInfo info;
  info.headerSize = in.UInt32();
  if (info.headerSize == kCoreHeaderSize) {
    info.width = in.UInt16();
    info.height = in.UInt16();
    info.planes = in.UInt16();
    info.bitsPerPixel = in.UInt16();
    return info;
  }
  if (!IsInfoHeaderSize(info.headerSize)) {
    in.Fail("unsupported info header size " + std::to_string(info.headerSize));
  }
  info.width = in.Int32();
  info.height = in.Int32();
  info.planes = in.UInt16();
  info.bitsPerPixel = in.UInt16();
  info.compression = in.UInt32();
  info.imageSize = in.UInt32();
  in.Take(8);  // resolutions
  info.coloursUsed = in.UInt32();
  in.Take(4);  // colours important
  if (info.headerSize > kInfoHeaderSize) {
    info.masks.red = in.UInt32();
    info.masks.green = in.UInt32();
    info.masks.blue = in.UInt32();
    in.Take(info.headerSize - kInfoHeaderSize - kMaskBytes);
  }
  return info;
}

void CheckInfo(const CBmpSource& in, const BmpInfo& info) {
  if (info.planes != 1) in.Fail("planes must be 1, not " + std::to_string(info.planes));
  if (!TBitmap::IsKnownDepth(info.bitsPerPixel)) {
    in.Fail("unsupported depth of " + std::to_string(info.bitsPerPixel) + " bits per pixel");
  }
  const bool masked =
      info.compression == kCompressionMasks && (info.bitsPerPixel == 16 || info.bitsPerPixel == 32);
  if (info.compression != kCompressionNone && !masked) {
    in.Fail("unsupported compression " + std::to_string(info.compression) + " at " +
            std::to_string(info.bitsPerPixel) + " bits per pixel");
  }
  const std::int64_t rows = info.height < 0 ? -info.height : info.height;
  if (info.width <= 0 || rows == 0 || info.width > TBitmap::kMaxSide || rows > TBitmap::kMaxSide ||
      TBitmap::PixelBytesFor(static_cast<int>(info.width), static_cast<int>(rows),
                             info.bitsPerPixel) == 0) {
    in.Fail("absurd dimensions " + std::to_string(info.width) + " x " +
            std::to_string(info.height));
  }
}

// Reads the colour table and keeps what a picture of this depth can index; entries beyond
// that, and every entry of a deeper picture, are read and dropped.
std::vector<std::uint32_t> ReadColourTable(CBmpSource& in, const BmpInfo& info) {
  const bool core = info.headerSize == kCoreHeaderSize;
  const std::size_t depthColours = info.bitsPerPixel <= 8 ? std::size_t{1} << info.bitsPerPixel : 0;
  const std::size_t entries = !core && info.coloursUsed != 0 ? info.coloursUsed : depthColours;
  const std::size_t entrySize = core ? 3 : 4;
  if (entries > in.Remaining() / entrySize) in.Fail("picture cut short in its colour table");
  const std::uint8_t* table = in.Take(entries * entrySize);

  std::vector<std::uint32_t> palette(std::min(entries, depthColours));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint8_t* entry = table + i * entrySize;
    palette[i] = std::uint32_t{entry[2]} << 16 | std::uint32_t{entry[1]} << 8 | entry[0];
  }
  return palette;
}

}  // namespace

TBitmap TBitmap::ReadBmp(CByteReader& reader, std::uint64_t* missingBytes) {
  CBmpSource in(reader);
  ReadFileHeader(in);
  const BmpInfo info = ReadInfoHeader(in);
  CheckInfo(in, info);

  const int width = static_cast<int>(info.width);
  const int rows = static_cast<int>(info.height < 0 ? -info.height : info.height);
  const int depth = info.bitsPerPixel;
  const bool masked = info.compression == kCompressionMasks;
  ColorMasks masks = info.masks;
  if (masked && info.headerSize == kInfoHeaderSize) {
    masks.red = in.UInt32();
    masks.green = in.UInt32();
    masks.blue = in.UInt32();
  }
  std::vector<std::uint32_t> palette = ReadColourTable(in, info);

  // The pixel bytes: the rows exactly, unless the colour masks come with an image size, and
  // never more than the data holds.
  const std::size_t rowBytes = PixelBytesFor(width, rows, depth);
  const std::uint64_t wanted = masked && info.imageSize != 0 ? info.imageSize : rowBytes;
  const std::uint64_t missing = wanted > in.Remaining() ? wanted - in.Remaining() : 0;
  if (missing != 0 && missingBytes == nullptr) {
    // Refused before the picture exists: a few damaged header bytes must not make us
    // allocate hundreds of megabytes.
    in.Fail("picture cut short: " + std::to_string(wanted) + " pixel bytes needed, " +
            std::to_string(in.Remaining()) + " left");
  }
  if (missingBytes != nullptr) *missingBytes = missing;
  const auto stored = static_cast<std::size_t>(wanted - missing);
  const std::uint8_t* bits = in.Take(stored);

  TBitmap picture(width, rows, depth);
  if (depth <= 8) picture.palette_ = std::move(palette);
  if (masked) picture.masks_ = masks;
  const bool topDown = info.height < 0;
  // Fewer bytes than the rows need leave the bytes they do not cover 0.
  for (int i = 0; i < rows; ++i) {
    const std::size_t offset = static_cast<std::size_t>(i) * picture.stride_;
    if (offset >= stored) break;
    const std::size_t count = std::min(picture.stride_, stored - offset);
    std::memcpy(picture.Row(topDown ? i : rows - 1 - i), bits + offset, count);
  }
  return picture;
}

void TBitmap::WriteBmp(CByteWriter& writer) const {
  if (Empty()) throw CPictureError("an empty picture cannot be written as a BMP image");
  const bool masked = HasCustomMasks();
  std::size_t tableEntries = 0;
  std::uint32_t coloursUsed = 0;
  if (bitsPerPixel_ <= 8) {
    // A colours-used field of 0 would mean a full table, so an empty palette is written as
    // one black entry: every index beyond the table is black either way.
    const std::size_t full = std::size_t{1} << bitsPerPixel_;
    tableEntries = std::clamp(palette_.size(), std::size_t{1}, full);
    if (tableEntries < full) coloursUsed = static_cast<std::uint32_t>(tableEntries);
  }
  // The pixel storage is capped at kMaxPixelBytes, so every size fits 32 bits.
  const auto pixelBytes = static_cast<std::uint32_t>(pixels_.size());
  const auto pixelOffset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize +
                                                      (masked ? kMaskBytes : 0) + tableEntries * 4);
  // In memory the picture goes in one piece; a streaming writer hands it on as it goes.
  writer.Reserve(pixelOffset + pixelBytes);

  writer.WriteBytes("BM", 2);
  writer.WriteUInt32(pixelOffset + pixelBytes);
  writer.WriteUInt16(0);
  writer.WriteUInt16(0);
  writer.WriteUInt32(pixelOffset);

  writer.WriteUInt32(kInfoHeaderSize);
  writer.WriteInt32(width_);
  writer.WriteInt32(height_);  // positive: rows bottom-up
  writer.WriteUInt16(1);
  writer.WriteUInt16(static_cast<std::uint16_t>(bitsPerPixel_));
  writer.WriteUInt32(masked ? kCompressionMasks : kCompressionNone);
  writer.WriteUInt32(pixelBytes);
  writer.WriteInt32(0);
  writer.WriteInt32(0);
  writer.WriteUInt32(coloursUsed);
  writer.WriteUInt32(0);

  if (masked) {
    writer.WriteUInt32(masks_.red);
    writer.WriteUInt32(masks_.green);
    writer.WriteUInt32(masks_.blue);
  }
  // 0x00RRGGBB written little-endian is the entry's blue, green, red, reserved 0.
  for (std::size_t i = 0; i < tableEntries; ++i) {
    writer.WriteUInt32(i < palette_.size() ? palette_[i] & 0x00FFFFFF : 0);
  }
  for (int y = height_ - 1; y >= 0; --y) writer.WriteBytes(Row(y), stride_);
}
