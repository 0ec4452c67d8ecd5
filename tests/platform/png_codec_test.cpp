// The system's PNG codec reads PNG images and nothing else: a picture offered on the
// clipboard as "PNG" in another format is refused, whatever other decoders the system has.

#include "platform/png_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMaxSide = 1000;
constexpr std::size_t kMaxPixelBytes = 1 << 20;

void Append(Bytes& bytes, std::initializer_list<int> values) {
  for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
}

void AppendLe16(Bytes& bytes, unsigned value) {
  Append(bytes, {static_cast<int>(value & 0xFF), static_cast<int>(value >> 8)});
}

void AppendLe32(Bytes& bytes, unsigned value) {
  AppendLe16(bytes, value & 0xFFFF);
  AppendLe16(bytes, value >> 16);
}

// A 1x1 picture, one grey pixel, in the BMP file format.
Bytes OnePixelBmp() {
  Bytes bytes{'B', 'M'};
  AppendLe32(bytes, 14 + 40 + 4);  // file size
  AppendLe32(bytes, 0);
  AppendLe32(bytes, 14 + 40);  // pixels' offset
  AppendLe32(bytes, 40);       // BITMAPINFOHEADER
  AppendLe32(bytes, 1);        // width
  AppendLe32(bytes, 1);        // height
  AppendLe16(bytes, 1);        // planes
  AppendLe16(bytes, 24);       // bits per pixel
  for (int i = 0; i < 6; ++i) AppendLe32(bytes, 0);
  Append(bytes, {0x80, 0x80, 0x80, 0});  // a row is padded to 4 bytes
  return bytes;
}

// A 1x1 picture in the GIF format: a two-colour palette and one LZW-coded black pixel.
Bytes OnePixelGif() {
  Bytes bytes{'G', 'I', 'F', '8', '9', 'a'};
  AppendLe16(bytes, 1);
  AppendLe16(bytes, 1);
  Append(bytes, {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF});  // global palette of two
  Append(bytes, {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0});        // image at 0,0, 1x1
  Append(bytes, {2, 2, 0x44, 0x01, 0, 0x3B});              // clear, 0, end; trailer
  return bytes;
}

// A 1x1 picture in the TIFF format: one uncompressed 8-bit grey strip.
Bytes OnePixelTiff() {
  Bytes bytes{'I', 'I', 42, 0};
  AppendLe32(bytes, 8);  // the first directory
  struct Entry {
    unsigned tag;
    unsigned type;  // 3 SHORT, 4 LONG
    unsigned value;
  };
  const unsigned pixelOffset = 8 + 2 + 9 * 12 + 4;
  const Entry entries[] = {{256, 3, 1}, {257, 3, 1}, {258, 3, 8},
                           {259, 3, 1}, {262, 3, 1}, {273, 4, pixelOffset},
                           {277, 3, 1}, {278, 3, 1}, {279, 4, 1}};
  AppendLe16(bytes, 9);
  for (const Entry& entry : entries) {
    AppendLe16(bytes, entry.tag);
    AppendLe16(bytes, entry.type);
    AppendLe32(bytes, 1);
    if (entry.type == 3) {
      AppendLe16(bytes, entry.value);
      AppendLe16(bytes, 0);
    } else {
      AppendLe32(bytes, entry.value);
    }
  }
  AppendLe32(bytes, 0);  // no further directory
  Append(bytes, {0x80});
  return bytes;
}

bool Decodes(const Bytes& bytes) {
  CPngPixels pixels;
  return DecodePng(bytes, kMaxSide, kMaxPixelBytes, &pixels);
}

TEST(PngCodecTest, APngImageDecodesToItsPixels) {
  CPngPixels picture;
  picture.width = 2;
  picture.height = 1;
  picture.bgra = {10, 20, 30, 255, 40, 50, 60, 128};
  const Bytes png = EncodePng(picture);
  ASSERT_FALSE(png.empty());
  CPngPixels decoded;
  ASSERT_TRUE(DecodePng(png, kMaxSide, kMaxPixelBytes, &decoded));
  EXPECT_EQ(decoded.width, 2);
  EXPECT_EQ(decoded.height, 1);
  EXPECT_EQ(decoded.bgra, picture.bgra);
}

TEST(PngCodecTest, PicturesInOtherFormatsAreRefused) {
  CPngPixels untouched;
  untouched.width = 7;
  EXPECT_FALSE(DecodePng(OnePixelBmp(), kMaxSide, kMaxPixelBytes, &untouched));
  EXPECT_EQ(untouched.width, 7);
  EXPECT_FALSE(Decodes(OnePixelGif()));
  EXPECT_FALSE(Decodes(OnePixelTiff()));
}

}  // namespace
