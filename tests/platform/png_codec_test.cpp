// The system's PNG codec reads PNG images and nothing else: a picture offered on the
// clipboard as "PNG" in another format is refused, whatever other decoders the system has.

#include "platform/png_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace {

using ImageBytes = std::vector<std::uint8_t>;

constexpr int kPngMaxSide = 1000;
constexpr std::size_t kPngMaxPixelBytes = 1 << 20;

void AppendImageBytes(ImageBytes& bytes, std::initializer_list<int> values) {
  for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
}

void AppendImageLe16(ImageBytes& bytes, unsigned value) {
  AppendImageBytes(bytes, {static_cast<int>(value & 0xFF), static_cast<int>(value >> 8)});
}

void AppendImageLe32(ImageBytes& bytes, unsigned value) {
  AppendImageLe16(bytes, value & 0xFFFF);
  AppendImageLe16(bytes, value >> 16);
}

// A 1x1 picture, one grey pixel, in the BMP file format.
ImageBytes OnePixelBmp() {
  ImageBytes bytes{'B', 'M'};
  AppendImageLe32(bytes, 14 + 40 + 4);  // file size
  AppendImageLe32(bytes, 0);
  AppendImageLe32(bytes, 14 + 40);  // pixels' offset
  AppendImageLe32(bytes, 40);       // BITMAPINFOHEADER
  AppendImageLe32(bytes, 1);        // width
  AppendImageLe32(bytes, 1);        // height
  AppendImageLe16(bytes, 1);        // planes
  AppendImageLe16(bytes, 24);       // bits per pixel
  for (int i = 0; i < 6; ++i) AppendImageLe32(bytes, 0);
  AppendImageBytes(bytes, {0x80, 0x80, 0x80, 0});  // a row is padded to 4 bytes
  return bytes;
}

// A 1x1 picture in the GIF format: a two-colour palette and one LZW-coded black pixel.
ImageBytes OnePixelGif() {
  ImageBytes bytes{'G', 'I', 'F', '8', '9', 'a'};
  AppendImageLe16(bytes, 1);
  AppendImageLe16(bytes, 1);
  AppendImageBytes(bytes, {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF});  // global palette of two
  AppendImageBytes(bytes, {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0});        // image at 0,0, 1x1
  AppendImageBytes(bytes, {2, 2, 0x44, 0x01, 0, 0x3B});              // clear, 0, end; trailer
  return bytes;
}

// A 1x1 picture in the TIFF format: one uncompressed 8-bit grey strip.
ImageBytes OnePixelTiff() {
  ImageBytes bytes{'I', 'I', 42, 0};
  AppendImageLe32(bytes, 8);  // the first directory
  struct Entry {
    unsigned tag;
    unsigned type;  // 3 SHORT, 4 LONG
    unsigned value;
  };
  const unsigned pixelOffset = 8 + 2 + 9 * 12 + 4;
  const Entry entries[] = {{256, 3, 1}, {257, 3, 1}, {258, 3, 8},
                           {259, 3, 1}, {262, 3, 1}, {273, 4, pixelOffset},
                           {277, 3, 1}, {278, 3, 1}, {279, 4, 1}};
  AppendImageLe16(bytes, 9);
  for (const Entry& entry : entries) {
    AppendImageLe16(bytes, entry.tag);
    AppendImageLe16(bytes, entry.type);
    AppendImageLe32(bytes, 1);
    if (entry.type == 3) {
      AppendImageLe16(bytes, entry.value);
      AppendImageLe16(bytes, 0);
    } else {
      AppendImageLe32(bytes, entry.value);
    }
  }
  AppendImageLe32(bytes, 0);  // no further directory
  AppendImageBytes(bytes, {0x80});
  return bytes;
}

bool DecodesAsPng(const ImageBytes& bytes) {
  CPngPixels pixels;
  return DecodePng(bytes, kPngMaxSide, kPngMaxPixelBytes, &pixels);
}

TEST(PngCodecTest, APngImageDecodesToItsPixels) {
  CPngPixels picture;
  picture.width = 2;
  picture.height = 1;
  picture.bgra = {10, 20, 30, 255, 40, 50, 60, 128};
  const ImageBytes png = EncodePng(picture);
  ASSERT_FALSE(png.empty());
  CPngPixels decoded;
  ASSERT_TRUE(DecodePng(png, kPngMaxSide, kPngMaxPixelBytes, &decoded));
  EXPECT_EQ(decoded.width, 2);
  EXPECT_EQ(decoded.height, 1);
  EXPECT_EQ(decoded.bgra, picture.bgra);
}

TEST(PngCodecTest, PicturesInOtherFormatsAreRefused) {
  CPngPixels untouched;
  untouched.width = 7;
  EXPECT_FALSE(DecodePng(OnePixelBmp(), kPngMaxSide, kPngMaxPixelBytes, &untouched));
  EXPECT_EQ(untouched.width, 7);
  EXPECT_FALSE(DecodesAsPng(OnePixelGif()));
  EXPECT_FALSE(DecodesAsPng(OnePixelTiff()));
}

}  // namespace
