#include "foundation/bitmap.h"

#include <bit>
#include <cstring>
#include <string>

#include "foundation/picture_error.h"
#include "platform/dib_info.h"

namespace {

TBitmap::ColorMasks StandardMasks(int bitsPerPixel) {
  if (bitsPerPixel == 16) return {0x7C00, 0x03E0, 0x001F};
  if (bitsPerPixel == 32) return {0x00FF0000, 0x0000FF00, 0x000000FF};
  return {};
}

std::size_t StrideFor(int width, int bitsPerPixel) {
  return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

// One channel of a masked pixel, scaled to 0..255. The width is the mask's span from its
// lowest to its highest bit, so that a mask with a gap (which no proper image has, but a
// damaged one may) still gives a value within 0..255 rather than one that spills into the
// next channel.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = 32 - std::countl_zero(mask) - shift;
  const std::uint32_t value = (pixel & mask) >> shift;
  if (bits >= 8) return value >> (bits - 8);
  const std::uint32_t largest = (std::uint32_t{1} << bits) - 1;
  return (value * 255 + largest / 2) / largest;
}

bool FitsLimits(int width, int height, int bitsPerPixel) {
  if (width < 0 || height < 0 || width > TBitmap::kMaxSide || height > TBitmap::kMaxSide) {
    return false;
  }
  return StrideFor(width, bitsPerPixel) * static_cast<std::size_t>(height) <=
         TBitmap::kMaxPixelBytes;
}

}  // namespace

TBitmap::TBitmap(int width, int height, int bitsPerPixel) {
  if (!IsKnownDepth(bitsPerPixel)) {
    throw CPictureError("Unsupported picture depth: " + std::to_string(bitsPerPixel) +
                        " bits per pixel");
  }
  if (!FitsLimits(width, height, bitsPerPixel)) {
    throw CPictureError("Picture too large: " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");
  }
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  stride_ = StrideFor(width, bitsPerPixel);
  pixels_.assign(stride_ * static_cast<std::size_t>(height), 0);
  masks_ = StandardMasks(bitsPerPixel);
  if (bitsPerPixel <= 8) {
    const int colours = 1 << bitsPerPixel;
    palette_.resize(static_cast<std::size_t>(colours));
    for (int i = 0; i < colours; ++i) {
      const std::uint32_t grey = static_cast<std::uint32_t>(i * 255 / (colours - 1));
      palette_[static_cast<std::size_t>(i)] = grey << 16 | grey << 8 | grey;
    }
  }
}

bool TBitmap::IsKnownDepth(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

std::size_t TBitmap::PixelBytesFor(int width, int height, int bitsPerPixel) {
  if (!IsKnownDepth(bitsPerPixel) || !FitsLimits(width, height, bitsPerPixel)) return 0;
  return StrideFor(width, bitsPerPixel) * static_cast<std::size_t>(height);
}

bool TBitmap::FitsAt32Bits(int width, int height) {
  return FitsLimits(width, height, 32);
}

bool TBitmap::HasCustomMasks() const {
  return (bitsPerPixel_ == 16 || bitsPerPixel_ == 32) && masks_ != StandardMasks(bitsPerPixel_);
}

std::uint32_t TBitmap::PixelColor(int x, int y) const {
  const std::uint8_t* row = Row(y);
  const auto column = static_cast<std::size_t>(x);
  auto fromPalette = [this](std::size_t index) {
    return index < palette_.size() ? palette_[index] & 0x00FFFFFF : 0;
  };
  switch (bitsPerPixel_) {
    case 1:
      return fromPalette((row[column / 8] >> (7 - column % 8)) & 0x1);
    case 4:
      return fromPalette((row[column / 2] >> (column % 2 == 0 ? 4 : 0)) & 0xF);
    case 8:
      return fromPalette(row[column]);
    case 16: {
      const std::uint32_t pixel = row[column * 2] | row[column * 2 + 1] << 8;
      return Channel(pixel, masks_.red) << 16 | Channel(pixel, masks_.green) << 8 |
             Channel(pixel, masks_.blue);
    }
    case 24: {
      const std::uint8_t* p = row + column * 3;
      return std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
    }
    default: {
      std::uint32_t pixel;
      std::memcpy(&pixel, row + column * 4, sizeof pixel);
      return Channel(pixel, masks_.red) << 16 | Channel(pixel, masks_.green) << 8 |
             Channel(pixel, masks_.blue);
    }
  }
}

std::vector<std::uint32_t> TBitmap::ToRgb32() const {
  std::vector<std::uint32_t> out;
  out.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) out.push_back(PixelColor(x, y));
  }
  return out;
}

bool TBitmap::AssignFromHandle(HBITMAP bitmap) {
  BITMAP description{};
  if (bitmap == nullptr || GetObject(bitmap, sizeof description, &description) == 0) return false;
  const int width = description.bmWidth;
  const int height = description.bmHeight < 0 ? -description.bmHeight : description.bmHeight;
  if (width <= 0 || height <= 0 || !FitsLimits(width, height, 32)) return false;

  std::vector<std::uint8_t> pixels(StrideFor(width, 32) * static_cast<std::size_t>(height));
  BITMAPINFO info = TopDownDibInfo(width, height, 32);
  ScreenDc screen;
  if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                DIB_RGB_COLORS) != height) {
    return false;
  }
  width_ = width;
  height_ = height;
  bitsPerPixel_ = 32;
  stride_ = StrideFor(width, 32);
  pixels_ = std::move(pixels);
  palette_.clear();
  masks_ = StandardMasks(32);
  alpha_ = false;
  return true;
}

bool TBitmap::SetHasAlpha(bool alpha) {
  if (alpha && (bitsPerPixel_ != 32 || HasCustomMasks())) return false;
  alpha_ = alpha;
  return true;
}

UniqueBitmap TBitmap::CreateHandle() const {
  if (Empty()) return UniqueBitmap{};
  BITMAPINFO info = TopDownDibInfo(width_, height_, 32);
  ScreenDc screen;
  // A 32-bit picture with the standard masks is already in the form the system takes.
  if (bitsPerPixel_ == 32 && !HasCustomMasks()) {
    return UniqueBitmap(CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, pixels_.data(),
                                       &info, DIB_RGB_COLORS));
  }
  const std::vector<std::uint32_t> pixels = ToRgb32();
  return UniqueBitmap(CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, pixels.data(), &info,
                                     DIB_RGB_COLORS));
}
