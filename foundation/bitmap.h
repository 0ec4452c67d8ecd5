#pragma once
// TBitmap: a picture that owns its pixels, kept as a device-independent bitmap would keep
// them, so that it can be written back exactly as it was read: rows of `BitsPerPixel()`
// bits each padded to 4 bytes, the top row first, a colour table for depths of 8 and
// below, colour masks for 16 and 32 bits.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/handles.h"

class CByteReader;
class CByteWriter;

class TBitmap {
 public:
  // Largest width or height, and largest pixel storage, that a picture may have. They
  // bound what damaged data or a strange clipboard bitmap can make the program allocate.
  static constexpr int kMaxSide = 32768;
  static constexpr std::size_t kMaxPixelBytes = std::size_t{512} << 20;

  struct ColorMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    bool operator==(const ColorMasks&) const = default;
  };

  // An empty picture, 0 by 0 pixels at 32 bits.
  TBitmap() = default;

  // A picture of the given size and depth (1, 4, 8, 16, 24 or 32), every pixel 0, with a
  // grey-scale colour table for depths of 8 and below and the standard masks (5-5-5 for
  // 16 bits, 8-8-8 for 32). Throws CPictureError for another depth or a size beyond the
  // limits above.
  TBitmap(int width, int height, int bitsPerPixel);

  // The depths a picture may have: 1, 4, 8, 16, 24 or 32 bits a pixel.
  static bool IsKnownDepth(int bitsPerPixel);

  // The bytes a picture of this size and depth needs, or 0 when that exceeds the limits.
  static std::size_t PixelBytesFor(int width, int height, int bitsPerPixel);

  // Whether a picture of this size stays within the limits once held at 32 bits a pixel,
  // as it is drawn, compared, encoded and put back (ToRgb32): every picture the program
  // takes must, whatever depth it comes in, or a 1-bit picture costs 32 times its size.
  static bool FitsAt32Bits(int width, int height);

  struct Size {
    int width = 0;
    int height = 0;  // rows, whichever way they run
  };
  // The size that the header of a packed device-independent bitmap names, read from its
  // first bytes before the rest is looked at; none when they begin no header this program
  // reads.
  static std::optional<Size> SizeOfPackedDib(std::span<const std::uint8_t> dib);
  // The size that a PNG image's header chunk names, read before anything is decoded; none
  // when the bytes do not begin with the signature and the header chunk.
  static std::optional<Size> SizeOfPng(std::span<const std::uint8_t> png);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Bytes of one row, padded to a multiple of 4.
  std::size_t Stride() const { return stride_; }
  std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * stride_;
  }

  // Colour table entries as 0x00RRGGBB, for depths of 8 and below (at most 2^depth).
  std::vector<std::uint32_t>& Palette() { return palette_; }
  const std::vector<std::uint32_t>& Palette() const { return palette_; }

  // Where red, green and blue lie in a 16- or 32-bit pixel.
  ColorMasks Masks() const { return masks_; }
  void SetMasks(ColorMasks masks) { masks_ = masks; }
  // True when the masks differ from the standard ones and so must be written out.
  bool HasCustomMasks() const;

  // True for a 32-bit picture with the standard masks whose fourth byte of each pixel is
  // its opacity (0 transparent, 255 opaque, not premultiplied). Otherwise that byte means
  // nothing, as in a BMP image, and the picture is opaque.
  bool HasAlpha() const { return alpha_; }
  // Marks the fourth bytes as opacity; false, with nothing changed, for a picture of
  // another depth or masks.
  bool SetHasAlpha(bool alpha);

  // The colour of one pixel as 0x00RRGGBB. An index beyond the colour table is black.
  std::uint32_t PixelColor(int x, int y) const;

  // The whole picture as 32-bit pixels 0x00RRGGBB, top row first, no padding.
  std::vector<std::uint32_t> ToRgb32() const;

  // A 24-bit copy of `width` x `height` pixels in which each pixel is the mean of the
  // pixels of this picture that it covers, a picture with alpha as it shows on white. Both sizes
  // must be at least 1, and the picture not empty.
  TBitmap ScaledByAreaAverage(int width, int height) const;

  // Replaces the picture with a 32-bit copy of a device-dependent bitmap; the handle stays
  // the caller's. False, with the picture unchanged, when the handle cannot be read or its
  // size is beyond the limits.
  bool AssignFromHandle(HBITMAP bitmap);

  // A new device-dependent bitmap that is a copy of the picture; empty on failure.
  UniqueBitmap CreateHandle() const;

  // A picture from a packed device-independent bitmap (CF_DIB, CF_DIBV5: an info header,
  // masks, colour table and pixels, no file header), read as ReadBmp reads one. A 32-bit
  // image whose header names the alpha mask 0xFF000000 keeps its opacity, unless every
  // pixel is opaque or every pixel is 0 there (the byte then means nothing). Empty when the
  // bytes are no picture this program reads, or are cut short.
  static std::optional<TBitmap> FromPackedDib(std::span<const std::uint8_t> dib);
  // The picture as a packed CF_DIBV5: a BITMAPV5HEADER, 32 bits a pixel with the masks
  // of red, green, blue and alpha, sRGB, rows bottom-up. Opaque pictures say so in alpha.
  std::vector<std::uint8_t> ToPackedDibV5() const;

  // A picture from a PNG image, by the system's codec (platform/png_codec.h): 32 bits with
  // alpha when some pixel is translucent, else 24 bits. Empty when it cannot be decoded or
  // is beyond the limits.
  static std::optional<TBitmap> FromPng(std::span<const std::uint8_t> png);
  // The picture as a PNG image with its alpha; empty on failure.
  std::vector<std::uint8_t> ToPng() const;

  // Reads one BMP file image from the reader's position and leaves the reader right after
  // its last pixel byte. Takes the old 12-byte core header, BITMAPINFOHEADER and its longer
  // versions, uncompressed or with colour masks (compression 3, 16 and 32 bits). The picture
  // keeps the image's depth, colour table and masks, rows turned top-down. The pixel bytes
  // are stride x rows, or under compression 3 the image-size field when it is not 0, and
  // never more than the reader holds: with `missingBytes` the picture keeps the bytes there
  // are (the rest of its pixels 0) and learns how many were missing; without it, data cut
  // short there throws before anything is allocated. Throws CPictureError naming the fault
  // and the image's offset for anything else, for headers cut short and for dimensions
  // beyond the limits; the reader's position is then unspecified.
  static TBitmap ReadBmp(CByteReader& reader, std::uint64_t* missingBytes = nullptr);

  // Appends the picture as a BMP file image in its own format: a 40-byte info header, rows
  // bottom-up, compression 3 with the masks only when they are custom, and for depths of 8
  // and below the colour table (an empty one as a single black entry, which shows the
  // same). A BMP image cannot be 0 pixels wide or high, so an empty picture throws
  // CPictureError with nothing written.
  void WriteBmp(CByteWriter& writer) const;

  bool operator==(const TBitmap&) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 32;
  std::size_t stride_ = 0;
  std::vector<std::uint8_t> pixels_;
  std::vector<std::uint32_t> palette_;
  ColorMasks masks_{0x00FF0000, 0x0000FF00, 0x000000FF};
  bool alpha_ = false;
};
