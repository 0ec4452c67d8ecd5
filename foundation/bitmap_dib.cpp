// Pictures exchanged with other programs as packed device-independent bitmaps (CF_DIB,
// CF_DIBV5) and as PNG images.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "foundation/bitmap.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/picture_error.h"
#include "platform/png_codec.h"

namespace {

constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kAlphaMaskOffset = 52;  // in BITMAPV4HEADER and BITMAPV5HEADER
constexpr std::uint32_t kAlphaMask = 0xFF000000;
constexpr std::uint32_t kSrgbColourSpace = 0x73524742;  // LCS_sRGB, "sRGB"
constexpr std::uint32_t kImagesIntent = 4;              // LCS_GM_IMAGES

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

// Whether the fourth bytes of a 32-bit picture say anything: not all opaque, and (for a
// bitmap whose source may have left them unset) not all 0.
bool AlphaMatters(const TBitmap& picture, bool zeroMeansUnset) {
  bool anyTranslucent = false;
  bool anyNonZero = false;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      const std::uint8_t alpha = row[static_cast<std::size_t>(x) * 4 + 3];
      anyTranslucent |= alpha != 0xFF;
      anyNonZero |= alpha != 0;
    }
  }
  return anyTranslucent && (anyNonZero || !zeroMeansUnset);
}

bool AnyTranslucent(const std::vector<std::uint8_t>& bgra) {
  for (std::size_t i = 3; i < bgra.size(); i += 4) {
    if (bgra[i] != 0xFF) return true;
  }
  return false;
}

// Rewrites top-down 32-bit pixels as 24-bit rows padded to 4 bytes, in the same buffer (a
// 24-bit row is never longer than a 32-bit one, so no byte is written before it is read);
// returns the new stride.
std::size_t PackedInto24BitRows(int width, int height, std::vector<std::uint8_t>& bgra) {
  const auto columns = static_cast<std::size_t>(width);
  const std::size_t stride = (columns * 3 + 3) & ~std::size_t{3};
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    const std::size_t from = y * columns * 4;
    const std::size_t to = y * stride;
    for (std::size_t x = 0; x < columns; ++x) {
      const std::uint8_t blue = bgra[from + x * 4];
      const std::uint8_t green = bgra[from + x * 4 + 1];
      const std::uint8_t red = bgra[from + x * 4 + 2];
      bgra[to + x * 3] = blue;
      bgra[to + x * 3 + 1] = green;
      bgra[to + x * 3 + 2] = red;
    }
    for (std::size_t pad = columns * 3; pad < stride; ++pad) bgra[to + pad] = 0;
  }
  return stride;
}

}  // namespace

std::optional<TBitmap::Size> TBitmap::SizeOfPackedDib(std::span<const std::uint8_t> dib) {
  constexpr std::uint32_t kCoreHeaderSize = 12;
  constexpr std::uint32_t kInfoHeaderSize = 40;
  if (dib.size() < kCoreHeaderSize) return std::nullopt;
  const std::uint32_t headerSize = LittleEndian32(dib.data());
  if (headerSize == kCoreHeaderSize) {
    return Size{dib[4] | dib[5] << 8, dib[6] | dib[7] << 8};
  }
  // Every longer header the BMP reader takes begins as BITMAPINFOHEADER does.
  if (headerSize < kInfoHeaderSize) return std::nullopt;
  const auto width = static_cast<std::int32_t>(LittleEndian32(dib.data() + 4));
  const auto height =
      static_cast<std::int64_t>(static_cast<std::int32_t>(LittleEndian32(dib.data() + 8)));
  if (width < 0) return std::nullopt;
  // A negative height runs top-down; INT32_MIN has no positive twin, so rows are clamped.
  const std::int64_t rows = std::min<std::int64_t>(height < 0 ? -height : height, INT32_MAX);
  return Size{width, static_cast<int>(rows)};
}

std::optional<TBitmap> TBitmap::FromPackedDib(std::span<const std::uint8_t> dib) {
  if (dib.size() < 4) return std::nullopt;
  const std::uint32_t headerSize = LittleEndian32(dib.data());
  const bool namesAlpha = headerSize >= kAlphaMaskOffset + 4 &&
                          dib.size() >= kAlphaMaskOffset + 4 &&
                          LittleEndian32(dib.data() + kAlphaMaskOffset) == kAlphaMask;
  // ReadBmp reads file images: the 14-byte file header, whose size and offset it ignores.
  CByteWriter image;
  image.Reserve(14 + dib.size());
  image.WriteBytes("BM", 2);
  image.WriteBytes("\0\0\0\0\0\0\0\0\0\0\0\0", 12);
  image.WriteBytes(dib.data(), dib.size());
  try {
    CByteReader reader(image.Bytes().data(), image.Size());
    TBitmap picture = ReadBmp(reader);
    if (namesAlpha && picture.BitsPerPixel() == 32 && !picture.HasCustomMasks()) {
      picture.alpha_ = AlphaMatters(picture, true);
    }
    return picture;
  } catch (const CPictureError&) {
    return std::nullopt;
  }
}

std::vector<std::uint8_t> TBitmap::ToPackedDibV5() const {
  if (Empty()) return {};
  const bool native = bitsPerPixel_ == 32 && !HasCustomMasks();
  const std::vector<std::uint32_t> colours = native ? std::vector<std::uint32_t>{} : ToRgb32();
  const auto width = static_cast<std::size_t>(width_);
  const std::size_t pixelBytes = width * 4 * static_cast<std::size_t>(height_);
  CByteWriter dib;
  dib.Reserve(kV5HeaderSize + pixelBytes);
  dib.WriteUInt32(kV5HeaderSize);
  dib.WriteInt32(width_);
  dib.WriteInt32(height_);  // bottom-up, as most readers of CF_DIBV5 expect
  dib.WriteUInt16(1);
  dib.WriteUInt16(32);
  dib.WriteUInt32(3);  // BI_BITFIELDS
  dib.WriteUInt32(static_cast<std::uint32_t>(pixelBytes));
  dib.WriteInt32(0);
  dib.WriteInt32(0);
  dib.WriteUInt32(0);
  dib.WriteUInt32(0);
  dib.WriteUInt32(0x00FF0000);
  dib.WriteUInt32(0x0000FF00);
  dib.WriteUInt32(0x000000FF);
  dib.WriteUInt32(kAlphaMask);
  dib.WriteUInt32(kSrgbColourSpace);
  dib.WriteBytes(std::vector<std::uint8_t>(36 + 12, 0).data(), 36 + 12);  // endpoints, gamma
  dib.WriteUInt32(kImagesIntent);
  dib.WriteUInt32(0);  // profile data
  dib.WriteUInt32(0);  // profile size
  dib.WriteUInt32(0);  // reserved
  std::vector<std::uint8_t> row(width * 4);
  for (int y = height_ - 1; y >= 0; --y) {
    if (native) {
      std::memcpy(row.data(), Row(y), row.size());
    } else {
      std::memcpy(row.data(), colours.data() + static_cast<std::size_t>(y) * width, row.size());
    }
    if (!alpha_) {
      for (std::size_t x = 0; x < width; ++x) row[x * 4 + 3] = 0xFF;
    }
    dib.WriteBytes(row.data(), row.size());
  }
  return std::move(dib.Bytes());
}

std::optional<TBitmap::Size> TBitmap::SizeOfPng(std::span<const std::uint8_t> png) {
  // The signature, then the header chunk first of all: its length (13), "IHDR", the width
  // and the height, big-endian.
  static constexpr std::uint8_t kStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                            0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  constexpr std::size_t kSizesEnd = sizeof kStart + 8;
  if (png.size() < kSizesEnd || !std::equal(std::begin(kStart), std::end(kStart), png.begin())) {
    return std::nullopt;
  }
  const auto bigEndian = [&](std::size_t at) {
    const std::uint32_t value = std::uint32_t{png[at]} << 24 | std::uint32_t{png[at + 1]} << 16 |
                                std::uint32_t{png[at + 2]} << 8 | std::uint32_t{png[at + 3]};
    return static_cast<int>(std::min<std::uint32_t>(value, INT32_MAX));
  };
  return Size{bigEndian(sizeof kStart), bigEndian(sizeof kStart + 4)};
}

std::optional<TBitmap> TBitmap::FromPng(std::span<const std::uint8_t> png) {
  CPngPixels pixels;
  if (!DecodePng(png, kMaxSide, kMaxPixelBytes, &pixels)) return std::nullopt;
  // The decoder's buffer becomes the picture's, so that a large picture is never held
  // twice: as it is when some pixel is translucent (32-bit rows need no padding), else
  // packed in place into 24-bit rows, a quarter smaller.
  const bool translucent = AnyTranslucent(pixels.bgra);
  TBitmap picture(1, 1, translucent ? 32 : 24);
  picture.width_ = pixels.width;
  picture.height_ = pixels.height;
  picture.stride_ = translucent ? static_cast<std::size_t>(pixels.width) * 4
                                : PackedInto24BitRows(pixels.width, pixels.height, pixels.bgra);
  pixels.bgra.resize(picture.stride_ * static_cast<std::size_t>(pixels.height));
  pixels.bgra.shrink_to_fit();
  picture.pixels_ = std::move(pixels.bgra);
  picture.alpha_ = translucent;
  return picture;
}

std::vector<std::uint8_t> TBitmap::ToPng() const {
  if (Empty()) return {};
  CPngPixels pixels;
  pixels.width = width_;
  pixels.height = height_;
  if (bitsPerPixel_ == 32 && !HasCustomMasks()) {
    pixels.bgra = pixels_;
  } else {
    const std::vector<std::uint32_t> colours = ToRgb32();
    pixels.bgra.resize(colours.size() * 4);
    std::memcpy(pixels.bgra.data(), colours.data(), pixels.bgra.size());
  }
  if (!alpha_) {
    for (std::size_t i = 3; i < pixels.bgra.size(); i += 4) pixels.bgra[i] = 0xFF;
  }
  return EncodePng(pixels);
}
